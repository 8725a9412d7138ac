#include "app/CommandLine.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/RemoteCommand.h"
#include "platform/MediaTypes.h"
#include "platform/StreamUrl.h"

namespace {

// A file:// URI names a local path; anything else is a path as it stands, "\" included.
QString localPath(const QString& argument, const QString& folder) {
    if (argument.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QDir::cleanPath(QDir(folder).absoluteFilePath(argument));
}

QString usageHead() {
    return QStringLiteral(
        "Usage: solvane [OPTION]... [FILE|FOLDER|PLAYLIST|URI]...\n"
        "Plays media files in a skinned player. Files are added to the playlist, folders are\n"
        "scanned for media with their subfolders, playlists (.slv, .m3u, .m3u8, .pls) are\n"
        "loaded, and http and https URIs are added as streams; when the playlist was empty,\n"
        "the first one starts playing. A player already running takes them over.\n"
        "\n"
        "  --new-instance  start a player of its own even if one is running\n"
        "  --help          show this help and exit\n"
        "  --version       show the version and exit\n"
        "\n"
        "Commands to the running player, as its buttons give them (status 1 when none runs):\n");
}

CommandLine failure(const QString& complaint) {
    CommandLine line;
    line.action = CommandLine::Action::Fail;
    line.complaints = QStringList{complaint};
    return line;
}

}  // namespace

QString CommandLine::Version() {
    return QStringLiteral("solvane " SOLVANE_VERSION
                          "\nLicense GPLv3+: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>");
}

QString CommandLine::Usage() {
    QString usage = usageHead();
    for (const RemoteCommand& command : RemoteCommand::All())
        usage += QStringLiteral("  --%1%2\n")
                     .arg(QLatin1String(command.name), -14)
                     .arg(QLatin1String(command.help));
    return usage;
}

CommandLine CommandLine::Parse(const QStringList& arguments, const QString& folder) {
    CommandLine line;
    bool optionsEnded = false;
    bool platformName = false;
    int files = 0;
    for (const QString& argument : arguments) {
        if (platformName) {
            platformName = false;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            const RemoteCommand* remote = argument.startsWith(QLatin1String("--"))
                                              ? RemoteCommand::Find(argument.mid(2))
                                              : nullptr;
            if (argument == QLatin1String("--")) {
                optionsEnded = true;
            } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
                line.action = Action::Help;
                return line;
            } else if (argument == QLatin1String("--version")) {
                line.action = Action::Version;
                return line;
            } else if (argument == QLatin1String("--new-instance")) {
                line.newInstance = true;
            } else if (remote) {
                if (!line.remote.isEmpty())
                    return failure(QStringLiteral("solvane: one command at a time"));
                line.remote = QLatin1String(remote->name);
            } else if (argument == QLatin1String("-platform") ||
                       argument == QLatin1String("--platform")) {
                // Qt's own option: the window system, with its name next.
                line.platformArgument = platformName = true;
            } else {
                return failure(QStringLiteral("solvane: unrecognized option '%1'").arg(argument));
            }
            continue;
        }
        ++files;
        if (StreamUrl::Is(argument)) {
            line.paths << argument;  // nothing here to check: libmpv finds out when it plays
            continue;
        }
        const QString path = localPath(argument, folder);
        if (!QFileInfo::exists(path)) {
            line.complaints << QStringLiteral(
                                   "solvane: cannot open '%1': No such file or directory")
                                   .arg(argument);
            continue;
        }
        if (!QFileInfo(path).isDir() && !MediaTypes::KindOf(path)) {
            line.complaints << QStringLiteral(
                                   "solvane: cannot open '%1': Not a media file or playlist")
                                   .arg(argument);
            continue;
        }
        line.paths << path;
    }
    if (line.remote.isEmpty())
        return line;
    if (files > 0)
        return failure(QStringLiteral("solvane: '--%1' takes no files").arg(line.remote));
    line.action = Action::Remote;
    return line;
}
