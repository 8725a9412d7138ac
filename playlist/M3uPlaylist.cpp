#include "playlist/M3uPlaylist.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include "platform/AtomicSave.h"
#include "platform/Paths.h"

namespace {

struct ExtInf {
    int seconds = -1;
    QString title;
};

// "#EXTINF:123.4 key="a,b",Title": the length before the first comma outside quotes, the title
// after it.
ExtInf parseExtInf(QStringView line) {
    ExtInf info;
    const QStringView rest = line.mid(8);
    bool quoted = false;
    qsizetype comma = -1;
    for (qsizetype i = 0; i < rest.size() && comma < 0; ++i) {
        if (rest.at(i) == QLatin1Char('"'))
            quoted = !quoted;
        else if (rest.at(i) == QLatin1Char(',') && !quoted)
            comma = i;
    }
    const QStringView length = (comma < 0 ? rest : rest.left(comma)).trimmed();
    bool ok = false;
    const double seconds = length.left(length.indexOf(QLatin1Char(' '))).toDouble(&ok);
    if (ok && seconds >= 0 && seconds < 1e9)
        info.seconds = static_cast<int>(seconds + 0.5);
    if (comma >= 0)
        info.title = rest.mid(comma + 1).trimmed().toString();
    return info;
}

QString oneLine(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" "));
}

// A local path with a line break in it (legal in a file name) is written as a file address,
// which keeps it on one line and reads back as the same path.
QString writtenPath(const QString& path) {
    if (path.startsWith(QLatin1Char('/')) &&
        (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'))))
        return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    return oneLine(path);
}

// Cleaned and trimmed until neither changes it, so that what is written reads back the same:
// a final "/" dropped may bare a space, and a space trimmed a "/".
QString settled(QString path) {
    for (QString cleaner = QDir::cleanPath(path).trimmed(); cleaner != path;
         cleaner = QDir::cleanPath(path).trimmed())
        path = cleaner;
    return path;
}

}  // namespace

QString M3uPlaylist::EntryPath(const QString& written, const QString& folder) {
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
    const auto match = scheme.match(written);
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name == QLatin1String("http") || name == QLatin1String("https"))
            return written;
        if (name == QLatin1String("file")) {
            const QString local = QUrl(written).toLocalFile();
            return local.startsWith(QLatin1Char('/')) ? settled(Paths::ToFileSystem(local))
                                                      : QString();
        }
        if (written.mid(match.capturedLength()).startsWith(QLatin1String("//")))
            return QString();  // an address this player does not fetch
    }
    const QString path = Paths::Resolve(Paths::ToFileSystem(written), folder);
    return path.startsWith(QLatin1Char('/')) ? settled(path) : path;
}

PlaylistEntries M3uPlaylist::Parse(const QString& text, const QString& playlistPath) {
    const QString folder = QFileInfo(playlistPath).absolutePath();
    PlaylistEntries entries;
    ExtInf pending;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (QStringView line : QStringView(text).split(lineEnd)) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1String("#EXTINF:"), Qt::CaseInsensitive)) {
            pending = parseExtInf(line);
        } else if (!line.startsWith(QLatin1Char('#'))) {
            const QString path = EntryPath(line.toString(), folder);
            if (!path.isEmpty())
                entries.append({path, pending.title, pending.seconds});
            pending = {};
        }
    }
    return entries;
}

QString M3uPlaylist::Compose(const PlaylistEntries& entries) {
    QString text = QStringLiteral("#EXTM3U\n");
    for (const PlaylistEntry& entry : entries)
        text += QStringLiteral("#EXTINF:%1,%2\n%3\n")
                    .arg(entry.seconds < 0 ? -1 : entry.seconds)
                    .arg(oneLine(entry.name), writtenPath(entry.path));
    return text;
}

std::optional<QString> M3uPlaylist::Write(const QString& path, const PlaylistEntries& entries) {
    return AtomicSave::Write(path, Compose(entries).toUtf8());
}
