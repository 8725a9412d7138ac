// Fuzzes the M3U and PLS readers and the M3U writer: any bytes read both ways; no crash, no
// hang, no memory error, and what the writer makes of an M3U reads back the same.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>

#include "playlist/M3uPlaylist.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlsPlaylist.h"

namespace {
const QString kList = QStringLiteral("/lists/list.m3u");

// Every entry has a path; a local one (addresses stay as written) has no "\" left.
void check(const PlaylistEntries& entries) {
    for (const PlaylistEntry& entry : entries) {
        const bool local = entry.path.startsWith(QLatin1Char('/'));
        if (entry.path.isEmpty() || (local && entry.path.contains(QLatin1Char('\\'))) ||
            entry.seconds < -1)
            __builtin_trap();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = PlaylistFile::Decode(bytes);
    const PlaylistEntries m3u = M3uPlaylist::Parse(text, kList);
    check(m3u);
    check(PlsPlaylist::Parse(text, kList));
    // Written and read again: the same paths, lengths and names (names lose line breaks and
    // outer spaces only, which the reader never gives).
    if (!(M3uPlaylist::Parse(M3uPlaylist::Compose(m3u), kList) == m3u))
        __builtin_trap();
    return 0;
}
