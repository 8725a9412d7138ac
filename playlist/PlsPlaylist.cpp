#include "playlist/PlsPlaylist.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <map>

#include "playlist/M3uPlaylist.h"

PlaylistEntries PlsPlaylist::Parse(const QString& text, const QString& playlistPath) {
    const QString folder = QFileInfo(playlistPath).absolutePath();
    static const QRegularExpression key(
        QStringLiteral("^\\s*(File|Title|Length)(\\d{1,9})\\s*=(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    std::map<int, PlaylistEntry> byNumber;
    for (auto it = key.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString field = match.captured(1).toLower();
        PlaylistEntry& entry = byNumber[match.captured(2).toInt()];
        const QString value = match.captured(3).trimmed();
        if (field == QLatin1String("file")) {
            entry.path = M3uPlaylist::EntryPath(value, folder);
        } else if (field == QLatin1String("title")) {
            entry.name = value;
        } else {
            bool ok = false;
            const int seconds = value.toInt(&ok);
            entry.seconds = ok && seconds >= 0 ? seconds : -1;
        }
    }
    PlaylistEntries entries;
    for (const auto& [number, entry] : byNumber)
        if (!entry.path.isEmpty())
            entries.append(entry);
    return entries;
}
