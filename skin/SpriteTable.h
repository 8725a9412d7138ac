#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "skin/Sprite.h"

// A cell: a rectangle of one skin bitmap, in pixels.
struct Cell {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    constexpr bool operator==(const Cell& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// The fixed table of cells: for each element kind, the rectangle of every element (index) in
// every look (state). It is the same for every skin, so there is one, built when the program
// is compiled; the player cuts its cells from it and the skin painter draws into them.
class SpriteTable {
  public:
    static const SpriteTable& Cells();

    // The cell of (kind, index, state); for kind 8 the state is not part of the key.
    // Nothing for a key outside the kind's array.
    std::optional<Cell> Lookup(Sprite::Kind kind, int index, int state) const;

    // Lookup for a key the layout is known to hold.
    Cell At(Sprite::Kind kind, int index, int state = 0) const {
        return *Lookup(kind, index, state);
    }

  private:
    static constexpr int kMaxIndex = 30;
    static constexpr int kMaxState = 3;
    struct KindArray {
        int firstIndex = 1;
        int lastIndex = 0;
        int lastState = 0;
        std::array<std::array<Cell, kMaxState + 1>, kMaxIndex + 1> cells{};
    };
    static constexpr SpriteTable layout();
    constexpr void set(Sprite::Kind kind, int index, int state, int x, int y, int width,
                       int height);

    std::array<KindArray, Sprite::kKinds + 1> kinds_{};
};
