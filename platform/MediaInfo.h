#pragma once

#include <QMetaType>
#include <QString>

// What a media file's headers say about it. Unknown values stay at their defaults.
struct MediaInfo {
    QString path;
    qint64 milliseconds = -1;
    QString title;
    QString artist;
    QString album;
    QString cover;  // a picture file: the embedded picture saved in the cache, or one beside it
};
Q_DECLARE_METATYPE(MediaInfo)
