#include "app/Forms.h"

#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

Forms::Forms(Player& player, PlaylistModel& entries)
    : player_(player),
      entries_(entries),
      main_(std::make_unique<frmMain>(*this)),
      playlist_(std::make_unique<FormPLS>(*this, entries_)) {}

Forms::~Forms() {
    // Companions first: the main window's teardown may still refer to them.
    video_.reset();
    playlist_.reset();
    main_.reset();
    for (const QPointer<QWidget>& window : unloading_) delete window.data();
}

template <typename Window>
void Forms::unload(std::unique_ptr<Window>& window) {
    if (!window)
        return;
    window->hide();
    Window* leaving = window.release();
    unloading_.emplace_back(leaving);
    leaving->deleteLater();
}

void Forms::WireWith(Controller& controller) {
    Q_ASSERT(!controller_);
    controller_ = &controller;
    controller.WireMain(*main_);
    controller.WirePlaylist(*playlist_);
}

void Forms::Load() {
    main_->Form_Load();
    playlist_->Form_Load();
}

Controller& Forms::Operations() {
    Q_ASSERT(controller_);
    return *controller_;
}

frmMain& Forms::Main() {
    return *main_;
}

FormPLS& Forms::Playlist() {
    if (!playlist_) {
        playlist_ = std::make_unique<FormPLS>(*this, entries_);
        Operations().WirePlaylist(*playlist_);
        playlist_->Form_Load();
    }
    return *playlist_;
}

Form1& Forms::Video() {
    if (!video_) {
        video_ = std::make_unique<Form1>(*this, player_.Control());
        Operations().WireVideo(*video_);
        video_->Form_Load();
    }
    return *video_;
}

void Forms::UnloadVideo() {
    unload(video_);
}

void Forms::UnloadPlaylist() {
    unload(playlist_);
}

PlaybackControl& Forms::Playback() {
    return player_.Control();
}

Form& Forms::DockAnchor() {
    return Main();
}

MainFace& Forms::SkinMain() {
    return Main();
}

PlaylistFace& Forms::SkinPlaylist() {
    return Playlist();
}
