#pragma once

#include <optional>

#include "playlist/PlaylistEntry.h"

// M3U and M3U8 lists: one path or address a line, "#" lines are comments, and an
// "#EXTINF:seconds,title" line gives the next entry its length and title.
class M3uPlaylist {
  public:
    // Relative paths are taken from the folder of the list file `playlistPath`.
    static PlaylistEntries Parse(const QString& text, const QString& playlistPath);

    // Extended M3U: "#EXTM3U", then "#EXTINF:seconds,name" and the path for each entry.
    static QString Compose(const PlaylistEntries& entries);

    // Saved as UTF-8, whole or not at all (as .slv lists are); the error text on failure.
    static std::optional<QString> Write(const QString& path, const PlaylistEntries& entries);

    // The path of a line as the file system here takes it: a file:// address becomes its
    // path, an http or https address stays, "\" becomes "/", a relative path is taken from
    // `folder`. Empty for addresses of other kinds.
    static QString EntryPath(const QString& written, const QString& folder);
};
