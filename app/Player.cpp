#include "app/Player.h"

#include "platform/StreamUrl.h"

Player::Player(std::unique_ptr<PlaybackControl> control, QObject* parent)
    : QObject(parent), control_(std::move(control)) {
    connect(control_.get(), &PlaybackControl::StateChange, this, &Player::onStateChange);
    connect(control_.get(), &PlaybackControl::Ended, this, &Player::Ended);
}

Player::~Player() = default;

Player::State Player::StateOf(int controlState) {
    switch (controlState) {
        case PlaybackControl::Stopped:
            return State::Stopped;
        case PlaybackControl::Paused:
            return State::Paused;
        case PlaybackControl::Playing:
            return State::Playing;
        case PlaybackControl::Waiting:
            return State::Loading;
        default:
            return State::Closed;
    }
}

Player::State Player::CurrentState() const {
    return StateOf(control_->PlayState());
}

// What a state change means, in this order: a failed open is skipped; while a file opens
// nothing is known yet; at the end of a file nothing shows anew; otherwise the picture decides
// whether the video window shows.
void Player::onStateChange() {
    const int state = control_->PlayState();
    emit StateChanged(StateOf(state));
    if (state == PlaybackControl::Closed && control_->OpenFailed()) {
        emit FailedToOpen();
        return;
    }
    if (state == PlaybackControl::Waiting)
        return;
    if (state == PlaybackControl::Playing)
        emit Started();
    if (control_->AtEnd())
        return;  // the control announces the end; the next file's own changes decide
    emit PictureKnown(control_->SourcePictureWidth() != 0);
}

void Player::NoteVolume(double fraction) {
    if (fraction == volume_)
        return;
    volume_ = fraction;
    emit VolumeChanged(fraction);
}

void Player::SetShuffle(bool on) {
    if (on == shuffle_)
        return;
    shuffle_ = on;
    emit ModesChanged();
}

void Player::SetRepeat(bool on) {
    if (on == repeat_)
        return;
    repeat_ = on;
    emit ModesChanged();
}

void Player::QueueNext(const QString& upcoming) {
    control_->QueueNext(repeat_ ? control_->FileName() : upcoming);
}

void Player::PlayAgain() {
    control_->SetFileName(control_->FileName());
}

bool Player::PlayingStream() const {
    return StreamUrl::Is(control_->FileName());
}
