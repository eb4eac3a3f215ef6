#include "gui/icons.h"

#include "gui/qt_text.h"
#include "platform/user_dirs.h"

#include <QHash>
#include <QPixmap>

namespace tw::gui {

namespace {

// Loaded once each: the result list asks for the check images on every paint.
QIcon iconFromFile(const QString& fileName) {
    static QHash<QString, QIcon> loaded;
    auto found = loaded.constFind(fileName);
    if (found != loaded.constEnd()) return *found;
    QPixmap picture(iconFolder() + "/" + fileName);
    QIcon icon = picture.isNull() ? QIcon() : QIcon(picture);
    loaded.insert(fileName, icon);
    return icon;
}

}  // namespace

QString iconFolder() { return qs(platform::resourceFolder()) + "/icons"; }

QIcon numberedIcon(int number) { return iconFromFile(QString::number(number) + ".png"); }

QIcon namedIcon(std::string_view name) { return iconFromFile(qs(name) + ".png"); }

}  // namespace tw::gui
