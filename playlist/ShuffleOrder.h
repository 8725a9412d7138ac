#pragma once

#include <cstdint>
#include <random>
#include <vector>

// A random order of a list's entries, played in rounds: within a round every entry comes once,
// and each round has a new order. The current entry is whatever the caller says it is, so a
// selection moved by hand is followed; asking twice gives the same answer, so the entry queued
// ahead of time is the one that then starts.
class ShuffleOrder {
  public:
    explicit ShuffleOrder(std::uint32_t seed = std::random_device{}()) : random_(seed) {}

    // A fresh round over `count` entries that begins with `current` (-1: none).
    void Restart(int current, int count);

    // The entry after or before `current` (-1: none) among `count` entries; -1 when empty.
    int After(int current, int count);
    int Before(int current, int count);

  private:
    int size() const { return static_cast<int>(round_.size()); }
    void follow(int current, int count);
    void resize(int count);
    void moveUp(int at);
    std::vector<int> shuffled(std::vector<int> entries);

    std::vector<int> round_;      // this round's order
    std::vector<int> nextRound_;  // made when first asked for, then kept
    int position_ = -1;           // the current entry's place in round_, -1 before the first
    std::mt19937 random_;
};
