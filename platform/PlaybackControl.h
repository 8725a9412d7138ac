#pragma once

#include <QObject>
#include <QString>

#include "platform/Mouse.h"

class QWidget;

// The playback control the windows drive: one file at a time, its play state, position and
// duration, volume and balance, and a surface that shows its picture.
class PlaybackControl : public QObject {
    Q_OBJECT
  public:
    enum State { Stopped = 0, Paused = 1, Playing = 2, Waiting = 3, Closed = 6 };

    using QObject::QObject;
    ~PlaybackControl() override = default;

    // Gets ready to play; a control may put off its start-up until then or until first use.
    virtual void Prepare() {}

    // Each takes effect while a file opens too: the file opens playing, paused or stopped.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    // Pauses and rewinds to 0; the file stays open.
    virtual void Stop() = 0;

    // Opens the file and starts playing it.
    virtual void SetFileName(const QString& path) = 0;
    virtual QString FileName() const = 0;
    // The file that will be given next when the current one ends (empty: none known), so that
    // a control able to do so opens it ahead of time and joins it on without a gap. At the end
    // the control still reports the end as always, and the SetFileName that follows with this
    // path finds the file already started instead of opening it again. The wish holds for the
    // current file only: the next SetFileName or end forgets it.
    virtual void QueueNext(const QString& path) { (void)path; }

    // Seconds. At the end of the media the position equals the duration, and at no other
    // time; the duration is negative while it is unknown (nothing open, or still opening).
    // AtEnd says the same without comparing the two.
    virtual double CurrentPosition() const = 0;
    virtual void SetCurrentPosition(double seconds) = 0;
    virtual double Duration() const = 0;

    virtual int PlayState() const = 0;
    // The file played to its end (and is stopped there, or the queued file follows).
    virtual bool AtEnd() const = 0;
    // Playing, or opening a file that plays once open (no pause or stop came meanwhile).
    virtual bool IsPlaying() const { return PlayState() == Playing; }
    // Whether the last file given failed to open.
    virtual bool OpenFailed() const = 0;

    // Hundredths of a decibel: -3000 to 0 for volume, -3000 (left) to 3000 (right) for balance.
    virtual void SetVolume(int volume) = 0;
    virtual void SetBalance(int balance) = 0;
    virtual int Volume() const = 0;
    virtual int Balance() const = 0;

    // The audio channels of the open media: 1 mono, 2 or more stereo, 0 without sound or
    // while nothing is open.
    virtual int AudioChannels() const = 0;

    // The width of the source picture, 0 when the media has none.
    virtual int SourcePictureWidth() const = 0;

    // A tag of the current file ("title", "artist", "album", any case), read once as the file
    // started; empty when the file has none or while it opens.
    virtual QString Tag(const QString& key) const {
        Q_UNUSED(key);
        return {};
    }

    // The widget that shows the picture; the video window places it.
    virtual QWidget* Surface() = 0;

  signals:
    // Raised on every change of the play state, the end of the media included.
    void StateChange(int oldState, int newState);
    // The file played to its end: raised right after the change to Stopped that it makes.
    void Ended();
    // The control cannot play at all (its library is missing or would not start); raised once,
    // the first time something is to be played.
    void CannotPlay(const QString& reason);
    // The position jumped to seconds, whoever asked for it: raised when the seek is given.
    void Seeked(double seconds);
    void PictureMouseDown(MouseArgs args);
    void PictureMouseMove(MouseArgs args);
    void PictureDoubleClick();
};
