#include "app/Forms.h"

#include "app/frmMain.h"
#include "playlist/FormPLS.h"

Forms::Forms() = default;

Forms::~Forms() {
    // Companions first: the main window's teardown may still refer to them.
    playlist_.reset();
    main_.reset();
}

frmMain& Forms::Main() {
    if (!main_) {
        // Stored before the load handler runs, which refers back to the window.
        main_ = std::make_unique<frmMain>(*this);
        main_->Form_Load();
    }
    return *main_;
}

FormPLS& Forms::Playlist() {
    if (!playlist_) {
        playlist_ = std::make_unique<FormPLS>(*this);
        playlist_->Form_Load();
    }
    return *playlist_;
}

void Forms::UnloadMain() {
    main_.reset();
}

void Forms::UnloadPlaylist() {
    playlist_.reset();
}
