// Modes, keys, the heap and the roll animation.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "RollerHarness.h"
#include "Sound.h"
#include "Utils.h"

namespace {

using Heap = std::vector<std::pair<int, int>>;

class RollerState : public testing::Test {
protected:
    void SetUp() override { Roller::reset(); }

    MainClass& app = Roller::app();
    Heap& heap = RollerProbe::heap(app);
    Sound& sound = RollerProbe::sound(app);
};

// Input that arrives before the first frame meets the buttons where their pictures
// start out, at (0, 0): the 4-sided entry is the first one tested.
TEST(RollerBeforeFirstFrame, PressHitsEntriesAtTheirInitialPlace) {
    if (Roller::hasRendered()) {
        GTEST_SKIP() << "needs a roller that has not drawn yet (run the whole program)";
    }
    MainClass& app = Roller::app();
    app.onPointerPressed(0, 5, 5);
    ASSERT_EQ(RollerProbe::heap(app).size(), 1u);
    EXPECT_EQ(RollerProbe::heap(app)[0].first, 4);
    EXPECT_TRUE(app.update());
}

TEST_F(RollerState, StartsInOneDieModeWithAnEmptyHeap) {
    EXPECT_TRUE(RollerProbe::oneDiceOnly(app));
    EXPECT_TRUE(heap.empty());
    EXPECT_FALSE(RollerProbe::isVisible(RollerProbe::simple(app)));
    EXPECT_TRUE(RollerProbe::isVisible(RollerProbe::multi(app)));
    EXPECT_FALSE(app.update());
    EXPECT_TRUE(app.isRunning());
}

TEST_F(RollerState, DigitKeysChooseTheirDieAndRollItInOneDieMode) {
    const std::pair<int, int> keys[] = {{'4', 4},  {'6', 6},  {'8', 8},
                                        {'0', 10}, {'1', 12}, {'2', 20}};
    for (const auto& [key, sides] : keys) {
        SCOPED_TRACE(sides);
        sound.stop();
        app.onKeyPressed(key);
        ASSERT_EQ(heap.size(), 1u);
        EXPECT_EQ(heap[0].first, sides);
        EXPECT_GE(heap[0].second, 0);
        EXPECT_LT(heap[0].second, sides);
        EXPECT_TRUE(sound.isPlaying());
        EXPECT_TRUE(app.update());
    }
}

TEST_F(RollerState, RollsReachEveryFaceAndNoOther) {
    app.onKeyPressed('m');
    for (int i = 0; i < 200; ++i) {
        app.onKeyPressed('2');
    }
    std::set<int> seen;
    for (int roll = 0; roll < 2; ++roll) {
        app.onKeyPressed(' ');
        for (const auto& dice : heap) {
            seen.insert(dice.second);
        }
    }
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 19);
}

TEST_F(RollerState, OtherKeysOnlyEndTheAnimation) {
    app.onKeyPressed('6');
    const Heap before = heap;
    const int others[] = {'3', '5', '7', '9', 'a', 'x', 13,  9,   127,
                          28,  29,  30,  31,  33,  34,  256, 259, 267};
    for (int key : others) {
        SCOPED_TRACE(key);
        RollerProbe::endRoll(app) = Utils::getMillisecond() + 10000;
        ASSERT_TRUE(app.update());
        app.onKeyPressed(key);
        EXPECT_FALSE(app.update());
        EXPECT_EQ(heap, before);
        EXPECT_TRUE(RollerProbe::oneDiceOnly(app));
        EXPECT_TRUE(app.isRunning());
    }
}

TEST_F(RollerState, MultipleDiceModeAddsWithoutRollingAndSpaceRollsAll) {
    app.onKeyPressed('m');
    ASSERT_FALSE(RollerProbe::oneDiceOnly(app));
    EXPECT_TRUE(RollerProbe::isVisible(RollerProbe::simple(app)));
    EXPECT_FALSE(RollerProbe::isVisible(RollerProbe::multi(app)));
    for (int i = 0; i < 3; ++i) {
        app.onKeyPressed('8');
        EXPECT_FALSE(app.update());
        EXPECT_FALSE(sound.isPlaying());
    }
    ASSERT_EQ(heap.size(), 3u);
    for (const auto& dice : heap) {
        EXPECT_EQ(dice.first, 8);
        EXPECT_GE(dice.second, 0);
        EXPECT_LT(dice.second, 8);
    }
    const char mixed[] = {'4', '6', '0', '1', '2'};
    for (char key : mixed) {
        app.onKeyPressed(key);
    }
    const std::vector<int> sides = {8, 8, 8, 4, 6, 10, 12, 20};
    ASSERT_EQ(heap.size(), sides.size());
    for (size_t i = 0; i < sides.size(); ++i) {
        EXPECT_EQ(heap[i].first, sides[i]);
    }

    // Enough dice that a roll leaving every face as it was would be a broken roll.
    for (int i = 0; i < 40; ++i) {
        app.onKeyPressed('2');
    }
    const Heap before = heap;
    app.onKeyPressed(' ');
    EXPECT_TRUE(sound.isPlaying());
    EXPECT_TRUE(app.update());
    ASSERT_EQ(heap.size(), before.size());
    int changed = 0;
    for (size_t i = 0; i < heap.size(); ++i) {
        EXPECT_EQ(heap[i].first, before[i].first);
        EXPECT_GE(heap[i].second, 0);
        EXPECT_LT(heap[i].second, heap[i].first);
        changed += heap[i].second != before[i].second;
    }
    EXPECT_GT(changed, 0);
}

TEST_F(RollerState, HeapStopsAtTwoHundredDice) {
    app.onKeyPressed('M');
    for (int i = 0; i < 199; ++i) {
        app.onKeyPressed(i % 2 ? '4' : '6');
    }
    app.onKeyPressed('2');
    ASSERT_EQ(heap.size(), 200u);
    const Heap full = heap;
    app.onKeyPressed('4');
    Roller::frame();
    app.onPointerPressed(0, Roller::centre(RollerProbe::entry(app, 12)).x(),
                         Roller::centre(RollerProbe::entry(app, 12)).y());
    EXPECT_EQ(heap, full);
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_FALSE(app.update());
    // Everything else still works on a full heap.
    app.onKeyPressed(' ');
    EXPECT_TRUE(app.update());
    EXPECT_EQ(heap.size(), 200u);
    app.onKeyPressed('c');
    EXPECT_TRUE(heap.empty());
}

TEST_F(RollerState, ClearAndModeKeysEmptyTheHeap) {
    app.onKeyPressed('6');
    app.onKeyPressed('c');  // no Clear button in this mode, the key still clears
    EXPECT_TRUE(heap.empty());
    app.onKeyPressed('4');
    app.onKeyPressed('C');
    EXPECT_TRUE(heap.empty());

    app.onKeyPressed('m');
    app.onKeyPressed('4');
    app.onKeyPressed('6');
    app.onKeyPressed('M');  // already in this mode: the heap is emptied all the same
    EXPECT_TRUE(heap.empty());
    EXPECT_FALSE(RollerProbe::oneDiceOnly(app));
    app.onKeyPressed('4');
    app.onKeyPressed('c');
    EXPECT_TRUE(heap.empty());
    app.onKeyPressed('8');
    app.onKeyPressed('S');
    EXPECT_TRUE(heap.empty());
    EXPECT_TRUE(RollerProbe::oneDiceOnly(app));
    EXPECT_FALSE(RollerProbe::isVisible(RollerProbe::simple(app)));
    EXPECT_TRUE(RollerProbe::isVisible(RollerProbe::multi(app)));
    app.onKeyPressed('6');
    app.onKeyPressed('s');
    EXPECT_TRUE(heap.empty());
    EXPECT_TRUE(RollerProbe::oneDiceOnly(app));
}

TEST_F(RollerState, SpaceRollsAnEmptyHeapToo) {
    app.onKeyPressed(' ');
    EXPECT_TRUE(heap.empty());
    EXPECT_TRUE(sound.isPlaying());
    EXPECT_TRUE(app.update());
}

TEST_F(RollerState, AnyPressEndsARunningRoll) {
    app.onKeyPressed('6');
    ASSERT_TRUE(app.update());
    app.onPointerPressed(0, 560, 300);  // on nothing
    EXPECT_FALSE(app.update());

    app.onKeyPressed(' ');
    ASSERT_TRUE(app.update());
    app.onPointerPressed(2, 560, 300);
    EXPECT_FALSE(app.update());

    app.onKeyPressed(' ');
    app.onKeyReleased(' ');
    app.onPointerReleased(0, 560, 300);
    EXPECT_TRUE(app.update()) << "releases do not end the roll";
    app.onKeyPressed('c');
    EXPECT_FALSE(app.update());
}

TEST_F(RollerState, RollLastsItsDurationInTime) {
    app.onKeyPressed('6');
    const long end = RollerProbe::endRoll(app);
    const long now = Utils::getMillisecond();
    EXPECT_GT(end, now);
    EXPECT_LE(end, now + 200);
    EXPECT_GE(end, now + 150);
    // The animation runs out by itself once its end has passed.
    RollerProbe::endRoll(app) = Utils::getMillisecond();
    EXPECT_FALSE(app.update());
}

TEST_F(RollerState, EscapeEndsTheProgram) {
    app.onKeyPressed(27);
    EXPECT_FALSE(app.isRunning());
}

}  // namespace
