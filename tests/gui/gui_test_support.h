#pragma once
// Shared by the window's Qt Test suites: a main() that isolates the suite
// from the user's files and display, and helpers for modal windows.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tw::gui::test {

// Points the XDG folders into a temporary folder for the whole run and picks
// the offscreen platform unless another is asked for.
class IsolatedEnvironment {
public:
    IsolatedEnvironment() {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
            QString folder = home_.filePath(QString::fromLatin1(variable).toLower());
            QDir().mkpath(folder);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv(variable, QFile::encodeName(folder));
        }
    }
    QString path() const { return home_.path(); }

private:
    QTemporaryDir home_;
};

// Runs `act` once on the next modal window as soon as it is shown. `act`
// should close it; if it does not (a failed check returns early), the window
// is closed after it so that the test fails instead of waiting for ever.
inline void whenModalShown(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        QPointer<QWidget> shown = modal;
        act(modal);
        if (shown && shown->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(shown.data())) dialog->reject();
            else shown->close();
        }
    });
    poll->start();
}

// The same for a pop-up menu.
inline void whenPopupShown(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup || !popup->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act(popup);
    });
    poll->start();
}

}  // namespace tw::gui::test

#define TWINSWEEP_GUI_TEST_MAIN(TestClass)                      \
    int main(int argc, char** argv) {                           \
        tw::gui::test::IsolatedEnvironment environment;         \
        QApplication application(argc, argv);                   \
        QApplication::setStyle("Fusion");                       \
        QApplication::setQuitOnLastWindowClosed(false);         \
        TestClass test;                                         \
        return QTest::qExec(&test, argc, argv);                 \
    }
