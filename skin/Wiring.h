#pragma once

#include "skin/SkinHost.h"

class Form;
class PlaybackControl;

// What the playlist and video windows may ask of the one place that wires the windows: the
// playback control, the main window's geometry to dock to, and the skin's windows. Everything
// else they announce with signals.
class Wiring : public SkinHost {
  public:
    // The one playback control, created with the video window on first use.
    virtual PlaybackControl& Playback() = 0;
    // The window the companions dock to.
    virtual Form& DockAnchor() = 0;

    // Fixed docking offsets from the main window, in twips.
    static constexpr float kVideoDockOffset = 4125.0f;
    static constexpr float kPlaylistDockOffset = 1710.0f;
};
