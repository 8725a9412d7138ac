#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/Controller.h"
#include "app/Player.h"
#include "playlist/PlaylistModel.h"
#include "skin/Wiring.h"

class frmMain;
class FormPLS;
class Form1;
class PlaybackControl;

// The three windows, as views of the player and the playlist that outlive them. The main and
// playlist windows are made together, neither referring to the other while it is made; their
// load handlers run in Load, once both exist and the controller has wired them. The video
// window is made on first reference. Unloading a companion destroys it, and a later reference
// makes it afresh, wired and loaded.
class Forms : public Wiring {
  public:
    Forms(Player& player, PlaylistModel& entries);
    ~Forms() override;
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    // The controller wires the windows there are and those made later.
    void WireWith(Controller& controller);
    // The load handlers: the main window's (the skin the settings name), then the playlist's.
    void Load();

    frmMain& Main();
    FormPLS& Playlist();
    Form1& Video();

    bool PlaylistExists() const { return playlist_ != nullptr; }
    bool VideoExists() const { return video_ != nullptr; }

    void UnloadPlaylist();
    void UnloadVideo();

    // The playlist's entries and the player; they outlive the windows.
    PlaylistModel& Entries() { return entries_; }
    Player& Playing() { return player_; }

    // The user-facing operations and the wiring between the windows.
    Controller& Operations();

    PlaybackControl& Playback() override;
    Form& DockAnchor() override;
    MainFace& SkinMain() override;
    PlaylistFace& SkinPlaylist() override;

  private:
    // An unloaded window is deleted once control is back in the event loop: it may be
    // unloading from inside one of its own handlers.
    template <typename Window>
    void unload(std::unique_ptr<Window>& window);

    Player& player_;
    PlaylistModel& entries_;
    Controller* controller_ = nullptr;  // set once, before any load handler runs
    std::vector<QPointer<QWidget>> unloading_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<FormPLS> playlist_;
    std::unique_ptr<Form1> video_;
};
