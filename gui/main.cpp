// twinsweep [SESSION.twf]: the duplicate finder's window. A session named on
// the command line is loaded and scanned at the first activation.

#include "app/command_line.h"
#include "app/main_frm.h"
#include "base/settings_store.h"
#include "gui/icons.h"
#include "gui/main_window.h"
#include "gui/qt_ui_port.h"
#include "platform/user_dirs.h"

#include <QApplication>

int main(int argc, char** argv) {
    // "-un" ends the program before any window or display is needed.
    if (tw::AsksToQuitAtOnce(argc, argv)) return 0;

    QApplication application(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName("twinsweep");
    QApplication::setDesktopFileName("twinsweep");
    QApplication::setStyle("Fusion");
    QApplication::setWindowIcon(tw::gui::namedIcon("twinsweep"));

    tw::SettingsStore settings(tw::defaultSettingsPath());
    tw::gui::QtUiPort port;
    tw::MainFrm model(settings, port, tw::AppFolders{tw::platform::resourceFolder(), tw::platform::dataFolder()},
                      tw::JoinCommandLine(argc, argv));
    tw::gui::MainWindow window(model, &port);
    window.load();
    window.show();
    return application.exec();
}
