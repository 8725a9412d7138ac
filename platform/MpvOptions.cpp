#include "platform/MpvOptions.h"

#include "platform/MpvCore.h"

void MpvOptions::ApplyTo(MpvCore& core) const {
    const auto option = [&core](const char* name, const char* value) {
        core.SetOption(name, value);
    };
    option("config", "no");
    option("terminal", "no");
    option("input-default-bindings", "no");
    option("input-vo-keyboard", "no");
    option("osc", "no");
    option("ytdl", "no");
    option("hwdec", "no");
    option("idle", "yes");
    option("keep-open", "yes");
    option("keep-open-pause", "no");  // the end is reported as the end, not as a pause
    // A queued next file is opened ahead of time and its sound joins on without a gap while
    // the format stays the same; a file in another format reopens the output rather than
    // being resampled to the first file's.
    option("prefetch-playlist", "yes");
    option("gapless-audio", "weak");
    option("audio-display", "no");  // cover art is no picture
    // Without a sound device a file still plays, silently, and the list goes on.
    option("audio-fallback-to-null", "yes");
    option("vo", videoOutput ? "libmpv" : "null");
    const QByteArray driver = audioDriver.toUtf8();
    if (!driver.isEmpty())
        option("ao", driver.constData());
    const QByteArray device = audioDevice.toUtf8();
    if (!device.isEmpty())
        option("audio-device", device.constData());
    if (!audioOutput)
        option("ao", "null");
    const QByteArray wav = audioFile.toUtf8();
    if (!wav.isEmpty()) {
        option("ao", "pcm");
        option("ao-pcm-file", wav.constData());
        option("ao-pcm-waveheader", "yes");
    }
}
