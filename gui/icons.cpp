#include "gui/icons.h"

#include "gui/qt_text.h"
#include "platform/user_dirs.h"

#include <QPixmap>

namespace tw::gui {

namespace {

QIcon iconFromFile(const QString& fileName) {
    QPixmap picture(iconFolder() + "/" + fileName);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

}  // namespace

QString iconFolder() { return qs(platform::resourceFolder()) + "/icons"; }

QIcon numberedIcon(int number) { return iconFromFile(QString::number(number) + ".png"); }

QIcon namedIcon(std::string_view name) { return iconFromFile(qs(name) + ".png"); }

}  // namespace tw::gui
