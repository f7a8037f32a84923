// The screen as the roller opens, and how it follows the window's size.
#include <gtest/gtest.h>

#include "Checks.h"

namespace e2e {
namespace {

struct Box {
    int x, y;
};

const Box ENTRIES_NORMAL[] = {{596, 223}, {596, 386}, {596, 549},
                              {810, 223}, {810, 386}, {810, 549}};

TEST(RollerStart, OpensOnTheOneDieScreen) {
    Roller roller;
    ASSERT_TRUE(roller.waitForFirstFrame()) << roller.output();
    const Shot s = roller.waitForStill();
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.height, 768);

    // Background around and between everything.
    EXPECT_TRUE(plainBackground(s, 530, 10, 585, 760));
    EXPECT_TRUE(plainBackground(s, 1016, 0, 1023, 767));
    // No heap yet: no "Roll result"; one-die mode: no Clear or Reroll button.
    EXPECT_TRUE(plainBackground(s, 10, 18, 200, 45));
    EXPECT_TRUE(plainBackground(s, 590, 5, 1020, 170));

    // The first frame outlines the buttons with the thin line width the display starts
    // with, which blends the grey over two pixel rows.
    for (const Box& entry : ENTRIES_NORMAL) {
        EXPECT_TRUE(framed(s, entry.x, entry.y, 204, 153, 30)) << entry.x << ", " << entry.y;
    }
    // "Multiple dice" is the switch, framed and shown plainly: its dark caption shows.
    EXPECT_TRUE(framed(s, 224, 605, 204, 153, 30));
    EXPECT_LT(darkest(s, 230, 612, 420, 650), 90);
    // "One die" is the current mode: veiled, so nothing in it is dark, and frameless.
    EXPECT_FALSE(framed(s, 10, 605, 204, 153));
    EXPECT_FALSE(horizontalLine(s, 605, 22, 202, BORDER));
    EXPECT_GT(darkest(s, 14, 609, 210, 754), 105);

    // The label over the panel, in the label grey.
    bool labelGrey = false;
    for (int y = 183; y < 220 && !labelGrey; ++y) {
        for (int x = 596; x < 760 && !labelGrey; ++x) {
            labelGrey = s.is(x, y, BORDER, 12);
        }
    }
    EXPECT_TRUE(labelGrey);

    // The tab bar: a line over "Multiple dice" at y = 600 from x = 219 to 438, and the
    // sides down to the bottom edge.
    EXPECT_TRUE(horizontalLine(s, 600, 221, 436, BORDER));
    EXPECT_TRUE(verticalLine(s, 219, 603, 765, BORDER));
    EXPECT_TRUE(verticalLine(s, 438, 603, 765, BORDER));
    EXPECT_TRUE(plainBackground(s, 10, 595, 214, 602));
    EXPECT_TRUE(plainBackground(s, 443, 590, 585, 602));

    // Any input draws again, from then on with the tab lines' width: solid grey frames.
    roller.key("3");
    Shot again;
    EXPECT_TRUE(roller.waitFor([](const Shot& shot) { return framed(shot, 224, 605, 204, 153); },
                               10, &again));
    for (const Box& entry : ENTRIES_NORMAL) {
        EXPECT_TRUE(framed(again, entry.x, entry.y, 204, 153)) << entry.x << ", " << entry.y;
    }
    EXPECT_FALSE(horizontalLine(again, 605, 22, 202, BORDER));
    EXPECT_TRUE(horizontalLine(again, 600, 221, 436, BORDER));
    if (HasFailure()) {
        s.save(binaryDir() + "/e2e-start-failure.png");
        again.save(binaryDir() + "/e2e-start-again-failure.png");
    }
}

// Every element moves to its small-mode place, then to the narrow variant's.
TEST(RollerStart, FollowsTheWindowSize) {
    Roller roller;
    ASSERT_TRUE(roller.waitForFirstFrame()) << roller.output();
    roller.key("m");  // multiple-dice mode shows Clear, Reroll and "One die" framed

    struct Layout {
        int width, height;
        Box clear, reroll, simple;
        Box entries[6];
    };
    const Layout layouts[] = {
        {800,
         600,
         {576, 10},
         {688, 10},
         {10, 514},
         {{576, 146}, {576, 232}, {576, 318}, {688, 146}, {688, 232}, {688, 318}}},
        {500,
         700,
         {276, 269},
         {388, 269},
         {10, 614},
         {{276, 405}, {276, 491}, {276, 577}, {388, 405}, {388, 491}, {388, 577}}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << layout.width << " x " << layout.height);
        roller.resize(layout.width, layout.height);
        Shot s;
        const bool moved = roller.waitFor(
            [&](const Shot& shot) {
                return shot.width == layout.width && shot.height == layout.height &&
                       framed(shot, layout.clear.x, layout.clear.y, 102, 76);
            },
            15, &s);
        ASSERT_TRUE(moved) << roller.output();
        s = roller.waitForStill();
        EXPECT_TRUE(framed(s, layout.reroll.x, layout.reroll.y, 102, 76));
        EXPECT_TRUE(framed(s, layout.simple.x, layout.simple.y, 102, 76));
        for (const Box& entry : layout.entries) {
            EXPECT_TRUE(framed(s, entry.x, entry.y, 102, 76)) << entry.x << ", " << entry.y;
        }
        // Multiple-dice tab open: lines left of it to the window's edge and right of it.
        const int y0 = layout.simple.y - 5;
        EXPECT_TRUE(horizontalLine(s, y0, 2, 112, BORDER));
        EXPECT_TRUE(horizontalLine(s, y0, 234 - 3, 234, BORDER));
        EXPECT_TRUE(verticalLine(s, 117, y0 + 3, layout.height - 3, BORDER));
        EXPECT_TRUE(verticalLine(s, 229, y0 + 3, layout.height - 3, BORDER));
    }
}

}  // namespace
}  // namespace e2e
