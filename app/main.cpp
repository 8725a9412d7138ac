#include <malloc.h>
#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <clocale>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Controller.h"
#include "app/Forms.h"
#include "app/Mpris.h"
#include "app/Player.h"
#include "app/SingleInstance.h"
#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "playlist/PlaylistModel.h"

namespace {

CommandLine readArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return CommandLine::Parse(arguments, QDir::currentPath());
}

void say(std::FILE* stream, const QString& text) {
    std::fputs(qPrintable(text), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
}

// A player already running takes the files over; only a small application object is made to
// ask it, so a second start returns at once.
bool handOverToRunningPlayer(int& argc, char* argv[], const QStringList& paths) {
    QCoreApplication probe(argc, argv);
    return SingleInstance::HandOver(paths);
}

// A remote command goes to the running player, and this start ends at once.
int sendToRunningPlayer(int& argc, char* argv[], const QString& command) {
    QCoreApplication probe(argc, argv);
    if (SingleInstance::Send(command))
        return 0;
    say(stderr, QStringLiteral("solvane: no player is running"));
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    // libmpv starts threads for every file; a few shared allocator pools keep a long session's
    // memory from growing pool by pool.
    mallopt(M_ARENA_MAX, 4);
    const CommandLine line = readArguments(argc, argv);
    for (const QString& complaint : line.complaints) say(stderr, complaint);
    switch (line.action) {
        case CommandLine::Action::Help:
            say(stdout, CommandLine::Usage());
            return 0;
        case CommandLine::Action::Version:
            say(stdout, CommandLine::Version());
            return 0;
        case CommandLine::Action::Fail:
            say(stderr, CommandLine::Usage());
            return line.ExitCode();
        case CommandLine::Action::Remote:
            return sendToRunningPlayer(argc, argv, line.remote);
        case CommandLine::Action::Run:
            break;
    }
    if (!line.newInstance && handOverToRunningPlayer(argc, argv, line.paths))
        return 0;

    Screen::UseWholeNumberScales();
    WindowSystem::ChooseForSession(line.platformArgument);
    QApplication app(argc, argv);
    // No display name: the platform would add it to every window title, and the main
    // window's caption follows a rule of its own.
    QCoreApplication::setApplicationName(QStringLiteral("solvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("solvane"));
    // The media library refuses to start under any other numeric locale.
    std::setlocale(LC_NUMERIC, "C");

    // Built once, in this order; each part is whole before the next one refers to it.
    Player player(std::make_unique<MpvPlaybackControl>());
    PlaylistModel entries;
    Forms forms(player, entries);
    Controller controller(forms);
    forms.WireWith(controller);
    forms.Load();  // the skin and the positions the settings hold
    // Media keys and remote controls; without a session bus the player runs on without them.
    Mpris mpris(forms);
    SingleInstance instance(controller);
    // Two starts at once: the one that lost the race hands over after all.
    if (!line.newInstance && !instance.Claim(QDBusConnection::sessionBus()) &&
        SingleInstance::HandOver(line.paths))
        return 0;
    mpris.Register(QDBusConnection::sessionBus());
    forms.Main().show();
    controller.AddPaths(line.paths);
    return app.exec();
}
