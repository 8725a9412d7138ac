#include "skin/SpriteTable.h"

#include <initializer_list>

namespace {
struct Shape {
    int firstIndex;
    int lastIndex;
    int lastState;
};
// Index and state ranges of each kind's array; kind 8 is indexed by digit only.
constexpr std::array<Shape, Sprite::kKinds + 1> kShapes = {{
    {1, 0, 0},   // unused
    {1, 6, 1},   // transport buttons
    {1, 18, 1},  // title bar and its buttons
    {1, 4, 3},   // toggle buttons
    {1, 2, 1},   // seek bar
    {1, 30, 0},  // volume
    {1, 30, 0},  // balance
    {1, 6, 0},   // play-state indicator
    {0, 10, 0},  // time digits
    {1, 2, 1},   // mono and stereo
}};
}  // namespace

constexpr void SpriteTable::set(Sprite::Kind kind, int index, int state, int x, int y, int width,
                                int height) {
    kinds_[Sprite::NumberOf(kind)].cells[index][state] =
        Cell{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
             static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)};
}

constexpr SpriteTable SpriteTable::layout() {
    SpriteTable table;
    for (int kind = 1; kind <= Sprite::kKinds; ++kind) {
        table.kinds_[kind].firstIndex = kShapes[kind].firstIndex;
        table.kinds_[kind].lastIndex = kShapes[kind].lastIndex;
        table.kinds_[kind].lastState = kShapes[kind].lastState;
    }

    // Transport buttons: released in the top row, pressed below.
    for (int i = 1; i <= 5; ++i) {
        const int width = i == 5 ? 22 : 23;
        table.set(Sprite::Transport, i, 0, 23 * (i - 1), 0, width, 18);
        table.set(Sprite::Transport, i, 1, 23 * (i - 1), 18, width, 18);
    }
    table.set(Sprite::Transport, 6, 0, 114, 0, 22, 16);
    table.set(Sprite::Transport, 6, 1, 114, 16, 22, 16);

    // Title bar looks and the four title-bar buttons.
    table.set(Sprite::TitleBar, 1, Sprite::Active, 27, 0, 274, 12);
    table.set(Sprite::TitleBar, 1, Sprite::Inactive, 27, 15, 274, 12);
    table.set(Sprite::TitleBar, 2, 0, 27, 29, 274, 13);
    table.set(Sprite::TitleBar, 2, 1, 27, 42, 274, 13);
    table.set(Sprite::TitleBar, 3, 0, 27, 57, 274, 12);
    table.set(Sprite::TitleBar, 3, 1, 27, 72, 274, 12);
    for (int i = 4; i <= 6; ++i) {
        table.set(Sprite::TitleBar, i, 0, 9 * (i - 4), 0, 9, 9);
        table.set(Sprite::TitleBar, i, 1, 9 * (i - 4), 9, 9, 9);
    }
    table.set(Sprite::TitleBar, 7, 0, 0, 18, 9, 9);
    table.set(Sprite::TitleBar, 7, 1, 9, 18, 9, 9);

    // Toggles: state = 2 x on + pressed.
    for (int state = 0; state <= 3; ++state) {
        table.set(Sprite::Toggle, 1, state, 0, 15 * state, 28, 15);
        table.set(Sprite::Toggle, 2, state, 28, 15 * state, 47, 15);
    }
    const int smallX[4] = {0, 46, 0, 46};
    const int smallY[4] = {61, 61, 73, 73};
    for (int state = 0; state <= 3; ++state) {
        table.set(Sprite::Toggle, 3, state, smallX[state], smallY[state], 23, 12);
        table.set(Sprite::Toggle, 4, state, smallX[state] + 23, smallY[state], 23, 12);
    }

    // Seek bar and its knob.
    table.set(Sprite::SeekBar, Sprite::SeekTrack, Sprite::Released, 0, 0, 248, 9);
    table.set(Sprite::SeekBar, Sprite::SeekSlider, Sprite::Released, 248, 0, 29, 10);
    table.set(Sprite::SeekBar, Sprite::SeekSlider, Sprite::Pressed, 278, 0, 29, 10);

    // Volume and balance: 28 level backgrounds, then the knob released and pressed.
    for (int i = 1; i <= 28; ++i) {
        table.set(Sprite::Volume, i, 0, 0, 15 * (i - 1), 68, 13);
        table.set(Sprite::Balance, i, 0, 9, 15 * (i - 1), 38, 13);
    }
    for (const Sprite::Kind kind : {Sprite::Volume, Sprite::Balance}) {
        table.set(kind, Sprite::KnobReleased, 0, 15, 422, 14, 11);
        table.set(kind, Sprite::KnobPressed, 0, 0, 422, 14, 11);
    }

    // Play-state indicator.
    for (int i = 1; i <= 4; ++i) table.set(Sprite::PlayState, i, 0, 9 * (i - 1), 0, 9, 9);
    table.set(Sprite::PlayState, Sprite::PlayLampOn, 0, 36, 0, 3, 9);
    table.set(Sprite::PlayState, Sprite::PlayLampOff, 0, 39, 0, 3, 9);

    // Digits 0 to 10.
    for (int d = 0; d <= 10; ++d) table.set(Sprite::Digit, d, 0, 9 * d, 0, 9, 13);

    // Mono and stereo: lit in the top row, unlit below.
    table.set(Sprite::MonoStereo, 1, 0, 0, 12, 29, 12);
    table.set(Sprite::MonoStereo, 1, 1, 0, 0, 29, 12);
    table.set(Sprite::MonoStereo, 2, 0, 29, 12, 29, 12);
    table.set(Sprite::MonoStereo, 2, 1, 29, 0, 29, 12);
    return table;
}

const SpriteTable& SpriteTable::Cells() {
    static constexpr SpriteTable kCells = layout();
    return kCells;
}

std::optional<Cell> SpriteTable::Lookup(Sprite::Kind kind, int index, int state) const {
    if (!Sprite::KindOf(Sprite::NumberOf(kind)))
        return std::nullopt;
    const KindArray& array = kinds_[Sprite::NumberOf(kind)];
    if (kind == Sprite::Digit)
        state = 0;
    if (index < array.firstIndex || index > array.lastIndex)
        return std::nullopt;
    if (state < 0 || state > array.lastState)
        return std::nullopt;
    return array.cells[index][state];
}
