// Ending the program.
#include <gtest/gtest.h>

#include "Checks.h"

namespace e2e {
namespace {

TEST(RollerEnd, EscapeEndsWithStatusZero) {
    Roller roller;
    ASSERT_TRUE(roller.waitForFirstFrame()) << roller.output();
    roller.key("Escape");
    EXPECT_EQ(roller.waitExit(), 0) << roller.output();
}

TEST(RollerEnd, AltF4EndsWithStatusZero) {
    Roller roller;
    ASSERT_TRUE(roller.waitForFirstFrame()) << roller.output();
    roller.key("F4");
    roller.key("6");
    // F4 alone leaves the roller running and responsive.
    ASSERT_TRUE(roller.waitFor(
        [](const Shot& s) { return meanOffBackground(s, 20, 60, 510, 420) > 5; }, 10));
    EXPECT_FALSE(roller.hasExited());
    roller.key("alt+F4");
    EXPECT_EQ(roller.waitExit(), 0) << roller.output();
}

}  // namespace
}  // namespace e2e
