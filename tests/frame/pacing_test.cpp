// The frame step's pacing sleep: the rest of a 10 ms interval measured from the end of the
// previous step, truncated to whole milliseconds; none once it is over or when the clock
// went back.
#include <gtest/gtest.h>

#include "OpenGL.h"

TEST(Pacing, SleepsTheRestOfTheTenMillisecondInterval) {
    const std::pair<long long, unsigned> sleepAfter[] = {
        {0, 10},    {3500, 6},  {999, 9},          {1000, 9}, {9999, 0},
        {10000, 0}, {12000, 0}, {5000000000LL, 0}, {-1, 0},   {-3600LL * 1000000, 0}};
    for (const auto& [elapsedUs, sleepMs] : sleepAfter)
        EXPECT_EQ(sleepMs, OpenGL_getPacingSleepMs(elapsedUs)) << elapsedUs << " us";
}
