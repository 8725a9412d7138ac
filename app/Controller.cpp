#include "app/Controller.h"

#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>
#include <algorithm>

#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/DropTarget.h"
#include "platform/PlaybackControl.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

Controller::Controller(Forms& forms) : forms_(forms) {
    queueLater_.setSingleShot(true);
    queueLater_.setInterval(0);
    connect(&queueLater_, &QTimer::timeout, this, &Controller::queueUpcoming);
}

void Controller::WireMain(frmMain& main) {
    connect(&main, &frmMain::PreviousClicked, this, &Controller::Previous);
    connect(&main, &frmMain::NextClicked, this, &Controller::Next);
    connect(&main, &frmMain::EjectClicked, this, &Controller::Eject);
    connect(&main, &frmMain::Moved, this, &Controller::DockCompanions);
    connect(&main, &frmMain::Closing, this, &Controller::unloadCompanions);
    connect(new DropTarget(&main), &DropTarget::Dropped, this, &Controller::AddPaths);
    addKeys(&main);
    connect(this, &Controller::ModesChanged, &main,
            [this, &main] { main.toggles.ShowModes(repeat_, shuffle_); });
}

void Controller::addKeys(QWidget* window) {
    const auto key = [this, window](QKeySequence sequence, auto action) {
        connect(new QShortcut(sequence, window), &QShortcut::activated, this, action);
    };
    key(Qt::Key_Space, [this] { PlayPause(); });
    key(Qt::Key_Left, [this] { SeekBy(-5.0); });
    key(Qt::Key_Right, [this] { SeekBy(5.0); });
    key(Qt::Key_Up, [this] { StepVolume(1); });
    key(Qt::Key_Down, [this] { StepVolume(-1); });
    key(Qt::Key_PageUp, [this] { Previous(); });
    key(Qt::Key_PageDown, [this] { Next(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { Eject(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { Quit(); });
}

void Controller::addPlaylistKeys(FormPLS& playlist) {
    const auto key = [this, &playlist](QKeySequence sequence, auto action) {
        connect(new QShortcut(sequence, &playlist), &QShortcut::activated, this, action);
    };
    key(Qt::Key_Return, [&playlist] { playlist.PlaySelected(); });
    key(Qt::Key_Enter, [&playlist] { playlist.PlaySelected(); });
    key(Qt::Key_Delete, [&playlist] { playlist.RemoveSelected(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_S), [&playlist] {
        if (!playlist.List1.isEmpty())
            playlist.SaveLst();
    });
}

void Controller::WirePlaylist(FormPLS& playlist) {
    connect(&playlist, &FormPLS::EveryEntryFailed, this, [this] { forms_.Main().GoStop(false); });
    // Started from the list, the file plays: the player takes the playing look.
    connect(&playlist, &FormPLS::EntryChosen, this, [this] { forms_.Main().GoPlay(false); });
    connect(new DropTarget(&playlist), &DropTarget::Dropped, this, &Controller::AddPaths);
    addKeys(&playlist);
    addPlaylistKeys(playlist);
    connect(&playlist, &FormPLS::UpcomingChanged, this, &Controller::queueSoon);
    playlist.SetShuffle(shuffle_);
}

void Controller::WireVideo(Form1& video) {
    connect(&video, &Form1::EntryEnded, this, &Controller::entryEnded);
    connect(&video, &Form1::EntryFailedToOpen, this, [this] {
        forms_.Playlist().EntryFailed();
        queueUpcoming();  // at once: should this entry fail too, the control goes straight on
    });
    connect(&video, &Form1::EntryPlaying, this, [this] {
        forms_.Playlist().EntryPlayed();
        queueSoon();
    });
    connect(&video.mediaPlay(), &PlaybackControl::CannotPlay, this, &Controller::showMessage);
    connect(new DropTarget(&video), &DropTarget::Dropped, this, &Controller::AddPaths);
}

void Controller::showMessage(const QString& text) {
    if (ShowMessage) {
        ShowMessage(text);
        return;
    }
    QMessageBox::warning(&forms_.Main(), QStringLiteral("Solvane"), text);
}

void Controller::Play() {
    forms_.Main().GoPlay(true);
}

void Controller::Pause() {
    forms_.Main().GoPause(true);
}

void Controller::PlayPause() {
    if (forms_.Playback().IsPlaying())
        Pause();
    else
        Play();
}

void Controller::Stop() {
    forms_.Main().GoStop(true);
}

void Controller::Previous() {
    FormPLS& playlist = forms_.Playlist();
    if (playlist.EntryCount() >= 2)
        playlist.PlayPrev();
}

void Controller::Next() {
    FormPLS& playlist = forms_.Playlist();
    if (playlist.EntryCount() >= 2)
        playlist.PlayNext();
}

void Controller::SeekTo(double seconds) {
    PlaybackControl& control = forms_.Playback();
    const double duration = control.Duration();
    if (!(duration > 0.0))
        return;
    const double position = std::clamp(seconds, 0.0, duration);
    control.SetCurrentPosition(position);
    forms_.Main().seekBar.Follow(position, duration);
}

void Controller::SetVolume(double fraction) {
    forms_.Main().volumeBalance.SetVolumeFraction(std::clamp(fraction, 0.0, 1.0));
}

void Controller::StepVolume(int steps) {
    // The track shows 28 levels; a step is one of them.
    SetVolume(forms_.Main().volumeBalance.VolumeFraction() + steps / 28.0);
}

void Controller::SeekBy(double seconds) {
    SeekTo(forms_.Playback().CurrentPosition() + seconds);
}

void Controller::AddPaths(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    FormPLS& playlist = forms_.Playlist();
    const bool wasEmpty = playlist.EntryCount() == 0;
    for (const QString& path : paths) playlist.AddPath(path);
    if (!wasEmpty || playlist.EntryCount() == 0)
        return;
    playlist.PlayNext();
    showPlaying();
}

// What the eject button does once media was asked for: the video fits, the playing look.
void Controller::showPlaying() {
    forms_.Video().Resize();
    forms_.Main().GoPlay(false);
}

void Controller::Raise() {
    frmMain& main = forms_.Main();
    if (main.windowState() & Qt::WindowMinimized)
        main.setWindowState(main.windowState() & ~Qt::WindowMinimized);
    main.show();
    main.raise();
    main.activateWindow();
}

void Controller::Eject() {
    forms_.Playlist().Add();
    showPlaying();
}

void Controller::AddFolder() {
    forms_.Playlist().LblAddDir_Click();
}

void Controller::OpenUri(const QString& path) {
    AddPaths({path});
}

void Controller::Quit() {
    forms_.Main().Unload();
}

void Controller::DockCompanions() {
    const frmMain& main = forms_.Main();
    Form1& video = forms_.Video();
    if (!video.IsFullScreen()) {
        video.SetLeft(main.Left() + Wiring::kVideoDockOffset);
        video.SetTop(main.Top());
    }
    dockPlaylist(forms_.Playlist());
}

void Controller::dockPlaylist(FormPLS& playlist) {
    const frmMain& main = forms_.Main();
    playlist.SetLeft(main.Left());
    playlist.SetTop(main.Top() + Wiring::kPlaylistDockOffset);
}

void Controller::HideCompanions() {
    forms_.Video().hide();
    forms_.Playlist().hide();
}

bool Controller::ToggleVideo() {
    Form1& video = forms_.Video();
    if (video.isVisible()) {
        video.hide();
        return false;
    }
    video.ShowDocked();
    return true;
}

bool Controller::TogglePlaylist() {
    FormPLS& playlist = forms_.Playlist();
    if (playlist.isVisible()) {
        playlist.hide();
        return false;
    }
    dockPlaylist(playlist);
    playlist.show();
    return true;
}

void Controller::unloadCompanions() {
    forms_.UnloadVideo();
    forms_.UnloadPlaylist();
}

void Controller::entryEnded() {
    if (!repeat_) {
        forms_.Playlist().PlayNext();
        return;
    }
    PlaybackControl& control = forms_.Playback();
    control.SetFileName(control.FileName());
}

void Controller::queueSoon() {
    if (!queueLater_.isActive())
        queueLater_.start();
}

// What starts at the end of the playing file is handed to the control ahead of time, so that
// it can follow without a gap.
void Controller::queueUpcoming() {
    if (!forms_.VideoExists() || !forms_.PlaylistExists())
        return;
    PlaybackControl& control = forms_.Playback();
    control.QueueNext(repeat_ ? control.FileName() : forms_.Playlist().UpcomingPath());
}

void Controller::SetShuffle(bool on) {
    if (on == shuffle_)
        return;
    shuffle_ = on;
    if (forms_.PlaylistExists())
        forms_.Playlist().SetShuffle(on);
    queueSoon();
    emit ModesChanged();
}

void Controller::SetRepeat(bool on) {
    if (on == repeat_)
        return;
    repeat_ = on;
    queueSoon();
    emit ModesChanged();
}
