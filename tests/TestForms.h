#pragma once

#include <functional>
#include <memory>

#include "app/Controller.h"
#include "app/Forms.h"
#include "app/Player.h"
#include "playlist/PlaylistModel.h"

using ControlFactory = std::function<std::unique_ptr<PlaybackControl>()>;

// The player and the playlist, made before the windows that show them.
struct TestProgramCore {
    explicit TestProgramCore(std::unique_ptr<PlaybackControl> control)
        : player(std::move(control)) {}
    Player player;
    PlaylistModel entries;
};

// The program in the order the player's main() builds it, with the playback control a test
// gives: the player, the playlist, the windows, the controller that wires them, then the load
// handlers.
class TestForms : private TestProgramCore, public Forms {
  public:
    explicit TestForms(const ControlFactory& factory)
        : TestProgramCore(factory()), Forms(player, entries) {
        WireWith(controller_);
        Load();
    }

  private:
    Controller controller_{*this};
};
