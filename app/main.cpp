#include <QApplication>
#include <QDBusConnection>
#include <clocale>

#include "app/Forms.h"
#include "app/Mpris.h"
#include "app/frmMain.h"
#include "platform/Screen.h"

int main(int argc, char* argv[]) {
    Screen::UseWholeNumberScales();
    QApplication app(argc, argv);
    // No display name: the platform would add it to every window title, and the main
    // window's caption follows a rule of its own.
    QCoreApplication::setApplicationName(QStringLiteral("solvane"));
    // The media library refuses to start under any other numeric locale.
    std::setlocale(LC_NUMERIC, "C");

    Forms forms;
    forms.Main().show();
    // Media keys and remote controls; without a session bus the player runs on without them.
    Mpris mpris(forms);
    mpris.Register(QDBusConnection::sessionBus());
    return app.exec();
}
