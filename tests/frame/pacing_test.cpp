// The frame step's pacing sleep: the rest of a 10 ms interval measured from the end of the
// previous step, truncated to whole milliseconds.
#include <gtest/gtest.h>

#include "OpenGL.h"

TEST(Pacing, SleepsTheRestOfTheTenMillisecondInterval) {
    EXPECT_EQ(10u, OpenGL_getPacingSleepMs(0));
    EXPECT_EQ(6u, OpenGL_getPacingSleepMs(3500));
    EXPECT_EQ(9u, OpenGL_getPacingSleepMs(999));
    EXPECT_EQ(9u, OpenGL_getPacingSleepMs(1000));
    EXPECT_EQ(0u, OpenGL_getPacingSleepMs(9999));
}

TEST(Pacing, NoSleepOnceTheIntervalIsOverOrWhenTheClockWentBack) {
    EXPECT_EQ(0u, OpenGL_getPacingSleepMs(10000));
    EXPECT_EQ(0u, OpenGL_getPacingSleepMs(12000));
    EXPECT_EQ(0u, OpenGL_getPacingSleepMs(5000000000LL));
    EXPECT_EQ(0u, OpenGL_getPacingSleepMs(-1));
    EXPECT_EQ(0u, OpenGL_getPacingSleepMs(-3600LL * 1000000));
}

TEST(VirtualPosition, WindowAndVirtualSpacesCoincide) {
    const Int2 converted = convertPositionInWindowToVirtualPosition(Int2(17, 42));
    EXPECT_EQ(17, converted.x());
    EXPECT_EQ(42, converted.y());
}
