#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "playlist/ShuffleOrder.h"

namespace {

// Plays `steps` entries onwards from `current`, as the end of each file would.
std::vector<int> playOn(ShuffleOrder& order, int current, int count, int steps) {
    std::vector<int> played;
    for (int i = 0; i < steps; ++i) {
        current = order.After(current, count);
        played.push_back(current);
    }
    return played;
}

bool isRound(const std::vector<int>& entries, int count) {
    std::vector<int> sorted = entries;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < count; ++i)
        if (sorted.size() != static_cast<size_t>(count) || sorted[i] != i)
            return false;
    return true;
}

TEST(ShuffleOrder, EveryEntryComesOncePerRoundAndEachRoundHasANewOrder) {
    for (std::uint32_t seed : {1u, 2u, 3u, 99u}) {
        ShuffleOrder order(seed);
        const int n = 7;
        const std::vector<int> played = playOn(order, -1, n, 6 * n);
        std::set<std::vector<int>> rounds;
        for (int r = 0; r < 6; ++r) {
            const std::vector<int> round(played.begin() + r * n, played.begin() + (r + 1) * n);
            EXPECT_TRUE(isRound(round, n)) << "seed " << seed << " round " << r;
            rounds.insert(round);
        }
        EXPECT_GE(rounds.size(), 5u) << "rounds repeat their order";
        for (size_t i = 1; i < played.size(); ++i)
            EXPECT_NE(played[i], played[i - 1]) << "the same entry twice in a row at " << i;
    }
}

TEST(ShuffleOrder, TurningOnKeepsTheCurrentEntryAndStartsTheRoundThere) {
    ShuffleOrder order(5);
    order.Restart(3, 6);
    std::vector<int> round{3};
    const std::vector<int> rest = playOn(order, 3, 6, 5);
    round.insert(round.end(), rest.begin(), rest.end());
    EXPECT_TRUE(isRound(round, 6)) << "the current entry counts as played";
}

TEST(ShuffleOrder, AskingAgainGivesTheSameEntryAlsoAcrossTheEndOfARound) {
    ShuffleOrder order(11);
    int current = -1;
    for (int i = 0; i < 20; ++i) {
        const int next = order.After(current, 4);
        EXPECT_EQ(order.After(current, 4), next) << "step " << i;
        EXPECT_EQ(order.After(current, 4), next);
        current = next;
    }
}

TEST(ShuffleOrder, PreviousStepsBackThroughWhatWasPlayedAndNextReturns) {
    ShuffleOrder order(7);
    const std::vector<int> played = playOn(order, -1, 5, 4);
    EXPECT_EQ(order.Before(played[3], 5), played[2]);
    EXPECT_EQ(order.Before(played[2], 5), played[1]);
    EXPECT_EQ(order.Before(played[1], 5), played[0]);
    EXPECT_EQ(order.After(played[0], 5), played[1]) << "forward again in the same order";
}

// The player asks for the entry after each one that starts, so the next round is made as the
// last entry of a round starts; stepping back from there stays in the round, whatever it is.
TEST(ShuffleOrder, StepsBackFromARoundsLastEntryStayInTheRoundAfterTheNextWasAskedFor) {
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        ShuffleOrder order(seed);
        const std::vector<int> played = playOn(order, -1, 5, 5);
        order.After(played[4], 5);
        ASSERT_EQ(order.Before(played[4], 5), played[3]) << "seed " << seed;
        order.After(played[3], 5);
        ASSERT_EQ(order.Before(played[3], 5), played[2]) << "seed " << seed;
    }
}

TEST(ShuffleOrder, AnEntryPickedByHandCountsAsPlayedAndTheRoundStillCoversEveryEntry) {
    ShuffleOrder order(3);
    const std::vector<int> first = playOn(order, -1, 8, 2);
    // The user picks an entry the round has not reached yet.
    const int upcoming = order.After(first[1], 8);
    int picked = 0;
    while (picked == upcoming || std::count(first.begin(), first.end(), picked)) ++picked;
    std::vector<int> round = first;
    round.push_back(picked);
    const std::vector<int> rest = playOn(order, picked, 8, 5);
    round.insert(round.end(), rest.begin(), rest.end());
    EXPECT_TRUE(isRound(round, 8));
}

TEST(ShuffleOrder, EntriesAddedMidRoundComeLaterInThatRound) {
    ShuffleOrder order(13);
    std::vector<int> round = playOn(order, -1, 3, 2);
    const std::vector<int> rest = playOn(order, round.back(), 6, 4);
    round.insert(round.end(), rest.begin(), rest.end());
    EXPECT_TRUE(isRound(round, 6));
}

TEST(ShuffleOrder, EmptyAndSingleLists) {
    ShuffleOrder order(1);
    EXPECT_EQ(order.After(-1, 0), -1);
    EXPECT_EQ(order.Before(-1, 0), -1);
    EXPECT_EQ(order.After(-1, 1), 0);
    EXPECT_EQ(order.After(0, 1), 0);
    EXPECT_EQ(order.Before(0, 1), 0);
    // A list emptied and filled again is a new list.
    EXPECT_EQ(order.After(0, 0), -1);
    EXPECT_TRUE(isRound(playOn(order, -1, 3, 3), 3));
}

}  // namespace
