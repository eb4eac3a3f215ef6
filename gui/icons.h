#pragma once
// The program's pictures, read at run time from the icons folder among the
// program's read-only files. A missing picture gives a null icon.

#include <QIcon>
#include <QString>

#include <string_view>

namespace tw::gui {

// The folder the pictures are read from.
QString iconFolder();

// Picture by number, as the command table and the lists name them ("12.png").
QIcon numberedIcon(int number);

// Picture by name without its ".png" ("twinsweep" is the program's own icon).
QIcon namedIcon(std::string_view name);

}  // namespace tw::gui
