// Reseeding twice within one second (the wall clock stands still in this program): the seed
// must change on every call anyway.
#include <gtest/gtest.h>

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

}  // namespace
