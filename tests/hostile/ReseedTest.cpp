// Reseeding twice within one second (the wall clock stands still in this program): the seed
// must change on every call anyway.
#include <gtest/gtest.h>

#include <vector>

#include "Utils.h"

TEST(Reseed, TwoReseedsInOneSecondGiveDifferentSequences) {
    std::vector<int> draws[2];
    for (std::vector<int>& values : draws) {
        Utils::initRandomSeed();
        for (int i = 0; i < 8; i++)
            values.push_back(Utils::random(1000));
    }
    EXPECT_NE(draws[0], draws[1]);
}
