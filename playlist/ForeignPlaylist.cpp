#include "playlist/ForeignPlaylist.h"

#include "playlist/M3uPlaylist.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlsPlaylist.h"

bool ForeignPlaylist::Handles(const QString& path) {
    return WritesAsM3u(path) || path.endsWith(QLatin1String(".pls"), Qt::CaseInsensitive);
}

bool ForeignPlaylist::WritesAsM3u(const QString& path) {
    return path.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive);
}

bool ForeignPlaylist::Read(const QString& path, PlaylistEntries* entries, QString* error) {
    QString text;
    if (!PlaylistFile::Read(path, &text, error))
        return false;
    *entries = WritesAsM3u(path) ? M3uPlaylist::Parse(text, path) : PlsPlaylist::Parse(text, path);
    return true;
}
