#include "app/Forms.h"

#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

Forms::Forms(ControlFactory factory) : factory_(std::move(factory)) {
    if (!factory_)
        factory_ = [] { return std::make_unique<MpvPlaybackControl>(); };
    player_ = std::make_unique<Player>(factory_());
    controller_.WirePlayer(*player_);
}

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

frmMain& Forms::Main() {
    if (!main_) {
        // Stored before the load handler runs, which refers back to the window.
        main_ = std::make_unique<frmMain>(*this);
        controller_.WireMain(*main_);
        main_->Form_Load();
    }
    return *main_;
}

FormPLS& Forms::Playlist() {
    if (!playlist_) {
        playlist_ = std::make_unique<FormPLS>(*this, entries_);
        controller_.WirePlaylist(*playlist_);
        playlist_->Form_Load();
    }
    return *playlist_;
}

Form1& Forms::Video() {
    if (!video_) {
        video_ = std::make_unique<Form1>(*this, player_->Control());
        controller_.WireVideo(*video_);
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
    return player_->Control();
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
