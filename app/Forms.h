#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/Controller.h"
#include "app/Player.h"
#include "app/Wiring.h"
#include "playlist/PlaylistModel.h"

class frmMain;
class FormPLS;
class Form1;
class PlaybackControl;

// Holds the player and the playlist, and hands out the three windows. Each window is created
// on first reference, wired by the controller and runs its load handler then, hidden;
// unloading destroys it, and a later reference creates it afresh.
class Forms : public Wiring {
  public:
    using ControlFactory = std::function<std::unique_ptr<PlaybackControl>()>;

    // The player's playback control comes from the factory; libmpv's by default.
    explicit Forms(ControlFactory factory = {});
    ~Forms() override;
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    frmMain& Main();
    FormPLS& Playlist();
    Form1& Video();

    bool MainExists() const { return main_ != nullptr; }
    bool PlaylistExists() const { return playlist_ != nullptr; }
    bool VideoExists() const { return video_ != nullptr; }

    void UnloadPlaylist();
    void UnloadVideo();

    // The playlist's entries and the player; they outlive the windows.
    PlaylistModel& Entries() { return entries_; }
    Player& Playing() { return *player_; }

    // The user-facing operations and the wiring between the windows.
    Controller& Operations() { return controller_; }

    PlaybackControl& Playback() override;
    Form& DockAnchor() override;
    MainFace& SkinMain() override;
    PlaylistFace& SkinPlaylist() override;

  private:
    // An unloaded window is deleted once control is back in the event loop: it may be
    // unloading from inside one of its own handlers.
    template <typename Window>
    void unload(std::unique_ptr<Window>& window);

    PlaylistModel entries_;
    ControlFactory factory_;
    std::unique_ptr<Player> player_;
    std::vector<QPointer<QWidget>> unloading_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<FormPLS> playlist_;
    std::unique_ptr<Form1> video_;
    Controller controller_{*this};
};
