#include "FakePlaybackControl.h"

FakePlaybackControl::FakePlaybackControl(QObject* parent) : PlaybackControl(parent) {}

// The video window owns the surface once it placed it.
FakePlaybackControl::~FakePlaybackControl() {
    if (surface_ && !surface_->parent())
        delete surface_.data();
}

QWidget* FakePlaybackControl::Surface() {
    if (!surface_)
        surface_ = new QWidget;
    return surface_;
}

ControlFactory FakePlaybackControl::Factory(FakePlaybackControl** created) {
    return [created] {
        auto control = std::make_unique<FakePlaybackControl>();
        if (created)
            *created = control.get();
        return control;
    };
}

void FakePlaybackControl::SetFileName(const QString& path) {
    fileName = path;
    filesOpened << path;
}

void FakePlaybackControl::SetCurrentPosition(double seconds) {
    position = seconds;
    seeks << seconds;
    emit Seeked(seconds);
}

void FakePlaybackControl::Become(int newState) {
    const int old = state;
    state = newState;
    emit StateChange(old, newState);
    if (AtEnd())
        emit Ended();
}
