#include "app/MprisPlayer.h"

#include <QDBusConnection>
#include <QDBusError>

#include "app/Controller.h"
#include "app/Mpris.h"

MprisPlayer::MprisPlayer(Mpris& mpris) : QDBusAbstractAdaptor(&mpris), mpris_(mpris) {}

QString MprisPlayer::PlaybackStatus() const {
    return mpris_.PlaybackStatus();
}

QVariantMap MprisPlayer::Metadata() const {
    return mpris_.Metadata();
}

double MprisPlayer::Volume() const {
    return mpris_.Volume();
}

void MprisPlayer::SetVolume(double volume) {
    mpris_.SetVolume(volume);
}

bool MprisPlayer::Shuffle() const {
    return mpris_.Shuffle();
}

void MprisPlayer::SetShuffle(bool on) {
    mpris_.SetShuffle(on);
}

QString MprisPlayer::LoopStatus() const {
    return mpris_.LoopStatus();
}

void MprisPlayer::SetLoopStatus(const QString& status) {
    mpris_.SetLoopStatus(status);
}

qlonglong MprisPlayer::Position() const {
    return mpris_.Position();
}

bool MprisPlayer::CanGoNext() const {
    return mpris_.CanGoNext();
}

bool MprisPlayer::CanGoPrevious() const {
    return mpris_.CanGoPrevious();
}

bool MprisPlayer::CanPlay() const {
    return mpris_.CanPlay();
}

bool MprisPlayer::CanSeek() const {
    return mpris_.CanSeek();
}

void MprisPlayer::Next() {
    mpris_.Run(&Controller::Next);
}

void MprisPlayer::Previous() {
    mpris_.Run(&Controller::Previous);
}

void MprisPlayer::Pause() {
    mpris_.Run(&Controller::Pause);
}

void MprisPlayer::PlayPause() {
    mpris_.Run(&Controller::PlayPause);
}

void MprisPlayer::Stop() {
    mpris_.Run(&Controller::Stop);
}

void MprisPlayer::Play() {
    mpris_.Run(&Controller::Play);
}

void MprisPlayer::Seek(qlonglong Offset) {
    mpris_.Seek(Offset);
}

void MprisPlayer::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    mpris_.SetPosition(TrackId, Position);
}

void MprisPlayer::OpenUri(const QString& Uri, const QDBusMessage& message) {
    QString error;
    if (mpris_.OpenUri(Uri, &error))
        return;
    message.setDelayedReply(true);
    mpris_.Bus().send(message.createErrorReply(QDBusError::InvalidArgs, error));
}
