#include "app/CommandLine.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/MediaTypes.h"

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

}  // namespace

QString CommandLine::Version() {
    return QStringLiteral("solvane " SOLVANE_VERSION);
}

QString CommandLine::Usage() {
    return QStringLiteral(
        "Usage: solvane [OPTION]... [FILE|FOLDER|PLAYLIST|file:// URI]...\n"
        "Plays media files in a skinned player. Files are added to the playlist, folders are\n"
        "scanned for media with their subfolders, and playlists (.slv, .m3u, .m3u8, .pls) are\n"
        "loaded; when the playlist was empty, the first one starts playing. A player already\n"
        "running takes them over.\n"
        "\n"
        "  --new-instance  start a player of its own even if one is running\n"
        "  --help          show this help and exit\n"
        "  --version       show the version and exit\n");
}

CommandLine CommandLine::Parse(const QStringList& arguments, const QString& folder) {
    CommandLine line;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
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
            } else {
                line.action = Action::Fail;
                line.complaints = {
                    QStringLiteral("solvane: unrecognized option '%1'").arg(argument)};
                return line;
            }
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
    return line;
}
