#pragma once

#include <optional>

// Names for the sprite table's keys. The numbers are the table's own and never change.
namespace Sprite {

// Element kinds: each names one bitmap, its picture-clip holder and its controls.
enum class Kind : int {
    Transport = 1,   // the six transport buttons
    TitleBar = 2,    // the title bar and its buttons
    Toggle = 3,      // the toggle row and the two small window toggles
    SeekBar = 4,     // the seek track and its slider
    Volume = 5,      // the volume track and knob
    Balance = 6,     // the balance track and knob
    PlayState = 7,   // the play-state indicator
    Digit = 8,       // the time digits (the state is the digit's position)
    MonoStereo = 9,  // the mono and stereo lamps
};
inline constexpr int kKinds = 9;

// The kinds under their short names, as the windows write them.
inline constexpr Kind Transport = Kind::Transport;
inline constexpr Kind TitleBar = Kind::TitleBar;
inline constexpr Kind Toggle = Kind::Toggle;
inline constexpr Kind SeekBar = Kind::SeekBar;
inline constexpr Kind Volume = Kind::Volume;
inline constexpr Kind Balance = Kind::Balance;
inline constexpr Kind PlayState = Kind::PlayState;
inline constexpr Kind Digit = Kind::Digit;
inline constexpr Kind MonoStereo = Kind::MonoStereo;

// The kind with this number; nothing outside 1 to 9.
constexpr std::optional<Kind> KindOf(int number) {
    if (number < 1 || number > kKinds)
        return std::nullopt;
    return static_cast<Kind>(number);
}

constexpr int NumberOf(Kind kind) {
    return static_cast<int>(kind);
}

// The looks most kinds share.
enum State : int {
    Released = 0,
    Pressed = 1,
};

// The mono and stereo lamps.
enum LampState : int {
    Unlit = 0,
    Lit = 1,
};

// The title bar: lit while the window is active.
enum TitleState : int {
    Active = 0,
    Inactive = 1,
};

// The toggles: two times "on" plus "pressed".
enum ToggleState : int {
    OffReleased = 0,
    OffPressed = 1,
    OnReleased = 2,
    OnPressed = 3,
};

// Indices with a meaning of their own.
enum Index : int {
    PlayIndicatorPlaying = 1,
    PlayIndicatorPaused = 2,
    PlayIndicatorStopped = 3,
    PlayLampOn = 5,
    PlayLampOff = 6,
    SeekTrack = 1,
    SeekSlider = 2,
    KnobPressed = 30,
    KnobReleased = 29,
    StereoLamp = 1,
    MonoLamp = 2,
};

}  // namespace Sprite
