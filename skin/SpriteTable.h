#pragma once

#include <array>
#include <cstdint>
#include <optional>

// A cell: a rectangle of one skin bitmap, in pixels.
struct Cell {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    bool operator==(const Cell& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// The fixed table of cells: for each element kind 1 to 9, the rectangle of every element
// (index) in every look (state). It is the same for every skin.
class SpriteTable {
  public:
    void Fill();
    void Clear();

    // The cell of (kind, index, state); for kind 8 the state is not part of the key.
    // Nothing for a key outside the kind's array.
    std::optional<Cell> Lookup(int kind, int index, int state) const;

    static constexpr int kKinds = 9;

  private:
    static constexpr int kMaxIndex = 30;
    static constexpr int kMaxState = 3;
    struct KindArray {
        int firstIndex = 1;
        int lastIndex = 0;
        int lastState = 0;
        std::array<std::array<Cell, kMaxState + 1>, kMaxIndex + 1> cells{};
    };
    void set(int kind, int index, int state, int x, int y, int width, int height);

    std::array<KindArray, kKinds + 1> kinds_{};
};
