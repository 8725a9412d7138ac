#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "platform/PlaybackControl.h"

// The player without its windows: the one owner of the playback control and the one way to
// it, with the volume, the modes and the file queued to follow. It tells what the control's
// state changes mean: a file started, ended or could not be opened, and whether it shows a
// picture. The windows draw what it announces.
class Player : public QObject {
    Q_OBJECT
  public:
    // The control's states, by the numbers it reports them with.
    enum class State { Stopped = 0, Paused = 1, Playing = 2, Loading = 3, Closed = 6 };
    Q_ENUM(State)

    explicit Player(std::unique_ptr<PlaybackControl> control, QObject* parent = nullptr);
    ~Player() override;

    PlaybackControl& Control() { return *control_; }
    // An http or https stream plays as it arrives: it has no seek bar, and nothing seeks in it.
    bool PlayingStream() const;
    State CurrentState() const;
    static State StateOf(int controlState);

    // 0 (silent) to 1 (full), as the volume knob last set it.
    double Volume() const { return volume_; }
    void NoteVolume(double fraction);

    // Shuffle: the list plays in a random order, each entry once a round. Repeat: the playing
    // file starts again at its end instead of the next entry; previous and next still move.
    void SetShuffle(bool on);
    bool Shuffle() const { return shuffle_; }
    void SetRepeat(bool on);
    bool Repeat() const { return repeat_; }

    // Hands the file that follows the playing one to the control ahead of time, so it follows
    // without a gap; with repeat on, the playing file follows itself.
    void QueueNext(const QString& upcoming);
    // The playing file again from its start (repeat at the end of a file).
    void PlayAgain();

  signals:
    void StateChanged(Player::State state);
    void Started();
    void Ended();
    void FailedToOpen();
    // A file settled with a picture (true) or without one.
    void PictureKnown(bool hasPicture);
    void VolumeChanged(double fraction);
    void ModesChanged();

  private:
    void onStateChange();

    std::unique_ptr<PlaybackControl> control_;
    double volume_ = 1.0;
    bool shuffle_ = false;
    bool repeat_ = false;
};
