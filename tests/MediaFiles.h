#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>

// Short media files made at test time with the ffmpeg command, one of each type the player
// offers, and a corrupt one.
class MediaFiles {
  public:
    MediaFiles();
    bool Ok() const { return ok_; }
    QString Path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    // Makes name with the given ffmpeg arguments (output file last); false when ffmpeg fails.
    bool Make(const QString& name, const QStringList& arguments);
    // Six files that cannot be played, each broken its own way (empty, text, missing, a
    // scrambled AVI, an MP3 that is only its tag); their names, in that order.
    QStringList MakeBroken();

  private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

// Runs the event loop until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs);
