#pragma once

#include "playlist/PlaylistEntry.h"

// Lists made by other players (M3U, M3U8, PLS), read and written by their file names.
class ForeignPlaylist {
  public:
    // True for the names this class reads: ".m3u", ".m3u8" and ".pls" in any case.
    static bool Handles(const QString& path);
    static bool WritesAsM3u(const QString& path);

    // The entries of the list file; false with the error text when it cannot be read.
    // M3U is read as UTF-8 when valid, else as Windows-1252.
    static bool Read(const QString& path, PlaylistEntries* entries, QString* error);
};
