#pragma once

#include <QString>

#include "platform/MediaInfo.h"

// Reads length, tags and cover from a file's container headers with FFmpeg's container reader,
// never decoding a frame. Where the headers state no length (MPEG program and transport
// streams, FLV), it is the span of the packet times at the file's start and end; for MP3 and
// AAC without one, the file's size at its bit rate. Safe from any thread.
class MediaHeader {
  public:
    // An embedded cover is written once into `coverFolder`, named by its content, so the
    // tracks of an album share one file; without one, a cover.jpg or folder.jpg beside the
    // file is named instead. Addresses and unreadable files give only the path.
    static MediaInfo Read(const QString& path, const QString& coverFolder);

    // $XDG_CACHE_HOME/solvane (or ~/.cache/solvane).
    static QString DefaultCoverFolder();
};
