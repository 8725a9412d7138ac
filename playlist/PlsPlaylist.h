#pragma once

#include "playlist/PlaylistEntry.h"

// PLS lists: a "[playlist]" section of FileN=, TitleN= and LengthN= keys, entries in the order
// of N.
class PlsPlaylist {
  public:
    static PlaylistEntries Parse(const QString& text, const QString& playlistPath);
};
