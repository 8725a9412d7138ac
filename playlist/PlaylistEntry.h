#pragma once

#include <QList>
#include <QString>

// One entry as a playlist file gives it: a path ready for the file system (or an http/https
// address), the title the file gives it (empty when none) and its length in whole seconds
// (-1 when not known).
struct PlaylistEntry {
    QString path;
    QString name;
    int seconds = -1;

    bool operator==(const PlaylistEntry& other) const {
        return path == other.path && name == other.name && seconds == other.seconds;
    }
};
using PlaylistEntries = QList<PlaylistEntry>;
