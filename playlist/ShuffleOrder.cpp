#include "playlist/ShuffleOrder.h"

#include <algorithm>
#include <numeric>

std::vector<int> ShuffleOrder::shuffled(std::vector<int> entries) {
    std::shuffle(entries.begin(), entries.end(), random_);
    return entries;
}

void ShuffleOrder::Restart(int current, int count) {
    std::vector<int> others;
    for (int i = 0; i < count; ++i)
        if (i != current)
            others.push_back(i);
    round_.clear();
    position_ = -1;
    if (current >= 0 && current < count) {
        round_.push_back(current);
        position_ = 0;
    }
    const std::vector<int> rest = shuffled(std::move(others));
    round_.insert(round_.end(), rest.begin(), rest.end());
    nextRound_.clear();
}

// The list grew or shrank: what this round already played stays played, and every other
// entry, new ones included, comes later in the round.
void ShuffleOrder::resize(int count) {
    std::vector<int> played;
    for (int i = 0; i <= position_ && i < size(); ++i)
        if (round_[i] < count)
            played.push_back(round_[i]);
    std::vector<bool> taken(count, false);
    for (int entry : played) taken[entry] = true;
    std::vector<int> rest;
    for (int i = 0; i < count; ++i)
        if (!taken[i])
            rest.push_back(i);
    rest = shuffled(std::move(rest));
    round_ = played;
    round_.insert(round_.end(), rest.begin(), rest.end());
    position_ = static_cast<int>(played.size()) - 1;
    nextRound_.clear();
}

// An entry picked out of turn becomes the next one played in this round, so the entries not
// yet played still come before any comes again.
void ShuffleOrder::moveUp(int at) {
    const int entry = round_[at];
    round_.erase(round_.begin() + at);
    if (at < position_)
        --position_;
    ++position_;
    round_.insert(round_.begin() + position_, entry);
}

void ShuffleOrder::follow(int current, int count) {
    if (count != size())
        resize(count);
    if (current < 0 || current >= count) {
        position_ = -1;
        return;
    }
    if (position_ >= 0 && round_[position_] == current)
        return;
    const bool atRoundEnd = position_ == size() - 1;
    if (atRoundEnd && !nextRound_.empty() && nextRound_.front() == current) {
        round_ = std::move(nextRound_);
        nextRound_.clear();
        position_ = 0;
        return;
    }
    const int at =
        static_cast<int>(std::find(round_.begin(), round_.end(), current) - round_.begin());
    const bool stepBack = at == position_ - 1 || (position_ == 0 && at == size() - 1);
    if (stepBack)
        position_ = at;
    else
        moveUp(at);
}

int ShuffleOrder::After(int current, int count) {
    if (count <= 0)
        return -1;
    follow(current, count);
    if (position_ + 1 < size())
        return round_[position_ + 1];
    if (nextRound_.empty()) {
        std::vector<int> all(count);
        std::iota(all.begin(), all.end(), 0);
        nextRound_ = shuffled(std::move(all));
        // The new round begins with neither of the two entries that ended the last one: it
        // repeats neither, and a step back from the last entry to the one before it is never
        // taken for the start of the new round.
        const auto ended = [this, count](int entry) {
            const int last = size() - 1;
            return entry == round_[last] || (count >= 3 && entry == round_[last - 1]);
        };
        if (count >= 2 && ended(nextRound_.front())) {
            std::vector<int> starts;
            for (int i = 1; i < count; ++i)
                if (!ended(nextRound_[i]))
                    starts.push_back(i);
            std::uniform_int_distribution<std::size_t> pick(0, starts.size() - 1);
            std::swap(nextRound_.front(), nextRound_[starts[pick(random_)]]);
        }
    }
    return nextRound_.front();
}

int ShuffleOrder::Before(int current, int count) {
    if (count <= 0)
        return -1;
    follow(current, count);
    // Back past the round's first entry wraps to its last, as the list does.
    return position_ > 0 ? round_[position_ - 1] : round_.back();
}
