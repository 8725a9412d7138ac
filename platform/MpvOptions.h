#pragma once

#include <QByteArray>
#include <QString>

#include "platform/MpvLibrary.h"

class MpvCore;

// How a playback control over libmpv plays: where its sound and picture go, and which libmpv.
struct MpvOptions {
    bool audioOutput = true;
    bool videoOutput = true;
    QString audioFile;    // when set, the audio goes into this WAV file instead of a device
    QString audioDriver;  // libmpv's audio output to try first; its default when empty
    QString audioDevice;  // and its device; the default device when empty
    QByteArray library = MpvLibrary::kDefaultName;  // the libmpv to open

    // Without sound (and, unless asked, with video).
    static MpvOptions Silent(bool video = true) {
        MpvOptions options;
        options.audioOutput = false;
        options.videoOutput = video;
        return options;
    }
    // Sound into a WAV file, no video.
    static MpvOptions IntoWav(const QString& file) {
        MpvOptions options;
        options.videoOutput = false;
        options.audioFile = file;
        return options;
    }

    // Sets them on a core that is not started yet, with the rest of what the player needs.
    void ApplyTo(MpvCore& core) const;
};
