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
    wirePlayer(forms_.Playing());
}

void Controller::WireMain(frmMain& main) {
    connect(&main, &frmMain::PreviousClicked, this, &Controller::Previous);
    connect(&main, &frmMain::NextClicked, this, &Controller::Next);
    connect(&main, &frmMain::EjectClicked, this, &Controller::Eject);
    connect(&main, &frmMain::Moved, this, &Controller::DockCompanions);
    connect(&main, &frmMain::Closing, this, &Controller::unloadCompanions);
    connect(new DropTarget(&main), &DropTarget::Dropped, this, &Controller::AddPaths);
    addMainKeys(&main);
    connect(this, &Controller::ModesChanged, &main,
            [this, &main] { main.toggles.ShowModes(Repeat(), Shuffle()); });
    connect(&main, &frmMain::SkinChanged, this,
            [this, &main] { main.toggles.RedrawModes(Repeat(), Shuffle()); });
    // The player holds the volume the knob shows, whoever moved it.
    connect(&main, &frmMain::VolumeChanged, this,
            [this, &main] { forms_.Playing().NoteVolume(main.volumeBalance.VolumeFraction()); });
}

namespace {
template <typename Action>
void bindKey(QObject* receiver, QWidget* window, QKeySequence sequence, Action action) {
    QObject::connect(new QShortcut(sequence, window), &QShortcut::activated, receiver, action);
}
}  // namespace

// The main window also takes the arrows and pages for volume and navigation; the playlist
// window leaves them to its list, where they move the selection and start nothing.
void Controller::addMainKeys(QWidget* window) {
    addKeys(window);
    bindKey(this, window, Qt::Key_Up, [this] { StepVolume(1); });
    bindKey(this, window, Qt::Key_Down, [this] { StepVolume(-1); });
    bindKey(this, window, Qt::Key_PageUp, [this] { Previous(); });
    bindKey(this, window, Qt::Key_PageDown, [this] { Next(); });
}

void Controller::addKeys(QWidget* window) {
    bindKey(this, window, Qt::Key_Space, [this] { PlayPause(); });
    bindKey(this, window, Qt::Key_Left, [this] { SeekBy(-5.0); });
    bindKey(this, window, Qt::Key_Right, [this] { SeekBy(5.0); });
    bindKey(this, window, QKeySequence(Qt::CTRL | Qt::Key_O), [this] { Eject(); });
    bindKey(this, window, QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { Quit(); });
}

void Controller::addPlaylistKeys(FormPLS& playlist) {
    addKeys(&playlist);
    const auto playSelected = [&playlist] { playlist.PlaySelected(); };
    bindKey(this, &playlist, Qt::Key_Return, playSelected);
    bindKey(this, &playlist, Qt::Key_Enter, playSelected);
    bindKey(this, &playlist, Qt::Key_Delete, [&playlist] { playlist.RemoveSelected(); });
    bindKey(this, &playlist, QKeySequence(Qt::CTRL | Qt::Key_S), [this, &playlist] {
        if (!forms_.Entries().Paths().isEmpty())
            playlist.SaveLst();
    });
}

void Controller::WirePlaylist(FormPLS& playlist) {
    connect(&playlist, &FormPLS::EveryEntryFailed, this, [this] { forms_.Main().GoStop(false); });
    // Whatever starts an entry (a button, a key, a menu, a drop, the end of a file), the
    // player shows it playing.
    connect(&playlist, &FormPLS::EntryStarted, this, [this] {
        forms_.Main().GoPlay(false);
        // At once, not on the next turn of the event loop: a short file may end before that
        // turn comes, and the one after it would then be opened afresh, with a gap.
        queueUpcoming();
    });
    connect(new DropTarget(&playlist), &DropTarget::Dropped, this, &Controller::AddPaths);
    addPlaylistKeys(playlist);
    connect(&playlist, &FormPLS::UpcomingChanged, this, &Controller::queueSoon);

    playlist.SetShuffle(Shuffle());
}

void Controller::wirePlayer(Player& player) {
    connect(&forms_.Entries(), &QAbstractItemModel::rowsInserted, this, &Controller::startIfFilled);
    connect(&forms_.Entries(), &PlaylistModel::ScansFinished, this,
            [this] { startWhenFilled_ = false; });
    connect(&player, &Player::Ended, this, &Controller::entryEnded);
    connect(&player, &Player::FailedToOpen, this, [this] {
        forms_.Playlist().EntryFailed();
        queueUpcoming();  // at once: should this entry fail too, the control goes straight on
    });
    connect(&player, &Player::Started, this, [this] {
        forms_.Entries().EntryPlayed();
        queueSoon();
    });
    // The video window is made when a picture first needs it.
    connect(&player, &Player::PictureKnown, this, [this](bool hasPicture) {
        if (hasPicture || forms_.VideoExists())
            forms_.Video().ShowPicture(hasPicture);
    });
    connect(&player, &Player::ModesChanged, this, [this, &player] {
        if (forms_.PlaylistExists())
            forms_.Playlist().SetShuffle(player.Shuffle());
        queueSoon();
        emit ModesChanged();
    });
    connect(&player.Control(), &PlaybackControl::CannotPlay, this, &Controller::showMessage);
}

void Controller::WireVideo(Form1& video) {
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
    if (!(duration > 0.0) || forms_.Playing().PlayingStream())
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
    SetVolume(forms_.Playing().Volume() + steps / 28.0);
}

void Controller::SeekBy(double seconds) {
    SeekTo(forms_.Playback().CurrentPosition() + seconds);
}

void Controller::AddPaths(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    FormPLS& playlist = forms_.Playlist();
    startWhenFilled_ = playlist.EntryCount() == 0;
    for (const QString& path : paths) playlist.AddPath(path);
    startIfFilled();
}

// Added to an empty list, the first entry starts as soon as it is there: a folder's entries
// arrive from its scan a while later.
void Controller::startIfFilled() {
    if (!startWhenFilled_ || forms_.Entries().IsEmpty())
        return;
    startWhenFilled_ = false;
    forms_.Playlist().PlayNext();
    forms_.Video().Resize();
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
    forms_.Video().Resize();
    // Even when nothing was chosen, the eject button leaves the playing look.
    forms_.Main().GoPlay(false);
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

// The companions move whether shown or not; one not made yet is made (hidden) here.
void Controller::DockCompanions() {
    const frmMain& main = forms_.Main();
    if (!forms_.Video().IsFullScreen())
        forms_.Video().SetPosition(main.Left() + Wiring::kVideoDockOffset, main.Top());
    dockPlaylist(forms_.Playlist());
}

void Controller::dockPlaylist(FormPLS& playlist) {
    const frmMain& main = forms_.Main();
    playlist.SetPosition(main.Left(), main.Top() + Wiring::kPlaylistDockOffset);
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
    if (Repeat())
        forms_.Playing().PlayAgain();
    else
        forms_.Playlist().PlayNext();
}

void Controller::queueSoon() {
    if (!queueLater_.isActive())
        queueLater_.start();
}

// What starts at the end of the playing file is handed to the control ahead of time, so that
// it can follow without a gap.
void Controller::queueUpcoming() {
    if (forms_.PlaylistExists())
        forms_.Playing().QueueNext(forms_.Playlist().UpcomingPath());
}

void Controller::SetShuffle(bool on) {
    forms_.Playing().SetShuffle(on);
}

bool Controller::Shuffle() const {
    return forms_.Playing().Shuffle();
}

void Controller::SetRepeat(bool on) {
    forms_.Playing().SetRepeat(on);
}

bool Controller::Repeat() const {
    return forms_.Playing().Repeat();
}
