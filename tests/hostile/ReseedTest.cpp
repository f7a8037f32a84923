// Reseeding twice within one clock second. Each test runs in about a millisecond, so the
// whole-second clock stands still throughout: the seed must change on every call anyway.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Utils.h"

namespace {

std::vector<int> draws(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; i++)
        values.push_back(Utils::random(1000));
    return values;
}

TEST(Reseed, TwoReseedsInOneSecondGiveDifferentSequences) {
    Utils::initRandomSeed();
    const std::vector<int> first = draws(8);
    Utils::initRandomSeed();
    EXPECT_NE(first, draws(8));
}

// The roller's key path for a held key 6 in one-die mode, through the same calls: one draw
// in a hundred reseeds, then the die is rolled. Seeding from the second alone replays the
// faces between two reseeds in a loop; no stretch between reseeds may repeat the last one.
TEST(Reseed, HeldKeyDoesNotLoop) {
    Utils::initRandomSeed();
    std::string stretch;
    std::string previous = "-";
    int repeats = 0;
    int reseeds = 0;
    for (int press = 0; press < 20000; press++) {
        if (Utils::random(100) == 0) {
            Utils::initRandomSeed();
            repeats += stretch == previous;
            previous = stretch;
            stretch.clear();
            reseeds++;
        }
        stretch += static_cast<char>('1' + Utils::random(6));
    }
    EXPECT_GT(reseeds, 100);
    EXPECT_LE(repeats, 1) << "of " << reseeds << " stretches";
}

}  // namespace
