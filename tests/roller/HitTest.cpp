// What a press at a given place does, against the places the last frame drew.
#include <gtest/gtest.h>

#include "RollerHarness.h"
#include "Sound.h"

namespace {

using Heap = std::vector<std::pair<int, int>>;

class RollerHits : public testing::Test {
protected:
    void SetUp() override { Roller::reset(); }

    void press(const Int2& p, int button = 0) { app.onPointerPressed(button, p.x(), p.y()); }
    // A press that must leave everything as it was and start no roll.
    void expectNoEffect(const Int2& p) {
        SCOPED_TRACE(testing::Message() << "press at " << p.x() << ", " << p.y());
        const Heap before = heap;
        const bool oneDie = RollerProbe::oneDiceOnly(app);
        sound.stop();
        press(p);
        EXPECT_EQ(heap, before);
        EXPECT_EQ(RollerProbe::oneDiceOnly(app), oneDie);
        EXPECT_FALSE(app.update());
        EXPECT_FALSE(sound.isPlaying());
    }
    void expectRoll(const Int2& p) {
        SCOPED_TRACE(testing::Message() << "press at " << p.x() << ", " << p.y());
        const size_t size = heap.size();
        sound.stop();
        press(p);
        EXPECT_EQ(heap.size(), size);
        EXPECT_TRUE(app.update());
        EXPECT_TRUE(sound.isPlaying());
    }

    MainClass& app = Roller::app();
    Heap& heap = RollerProbe::heap(app);
    Sound& sound = RollerProbe::sound(app);
};

const int SIDES[] = {4, 6, 8, 10, 12, 20};

TEST_F(RollerHits, EntriesChooseTheirDieWithAnyButton) {
    int button = 0;
    for (int sides : SIDES) {
        SCOPED_TRACE(sides);
        press(Roller::centre(RollerProbe::entry(app, sides)), button++ % 3);
        ASSERT_EQ(heap.size(), 1u);
        EXPECT_EQ(heap[0].first, sides);
        EXPECT_TRUE(app.update());
    }
    app.onKeyPressed('m');
    for (int sides : SIDES) {
        press(Roller::centre(RollerProbe::entry(app, sides)), button++ % 3);
        EXPECT_FALSE(app.update());
    }
    ASSERT_EQ(heap.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(heap[i].first, SIDES[i]);
    }
}

TEST_F(RollerHits, OnlyTheVisibleModeButtonSwitches) {
    app.onKeyPressed('6');
    expectNoEffect(Roller::centre(RollerProbe::simple(app)));  // current mode, hidden
    press(Roller::centre(RollerProbe::multi(app)), 2);
    EXPECT_FALSE(RollerProbe::oneDiceOnly(app));
    EXPECT_TRUE(heap.empty());

    app.onKeyPressed('4');
    Roller::frame();
    expectNoEffect(Roller::centre(RollerProbe::multi(app)));
    press(Roller::centre(RollerProbe::simple(app)), 1);
    EXPECT_TRUE(RollerProbe::oneDiceOnly(app));
    EXPECT_TRUE(heap.empty());
}

TEST_F(RollerHits, ClearAndRerollActOnlyInMultipleDiceMode) {
    app.onKeyPressed('6');
    RollerProbe::endRoll(app) = -1;
    expectNoEffect(Roller::centre(RollerProbe::clear(app)));
    expectNoEffect(Roller::centre(RollerProbe::reroll(app)));

    app.onKeyPressed('m');
    app.onKeyPressed('8');
    app.onKeyPressed('8');
    Roller::frame();
    expectRoll(Roller::centre(RollerProbe::reroll(app)));
    press(Roller::centre(RollerProbe::clear(app)));
    EXPECT_TRUE(heap.empty());
    EXPECT_FALSE(app.update());
}

TEST_F(RollerHits, ButtonOwnsItsLeftAndTopEdgesOnly) {
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small mode" : "normal layout");
        Roller::resize(small ? 800 : 1024, small ? 600 : 768);
        Roller::frame();
        Button& entry = RollerProbe::entry(app, 4);
        const Int2 p = entry.getPosition();
        const Int2 size = entry.getSize();
        EXPECT_EQ(size, small ? Int2(102, 76) : Int2(204, 153));
        EXPECT_TRUE(entry.isIn(p));
        EXPECT_TRUE(entry.isIn(p + size - Int2(1, 1)));
        EXPECT_FALSE(entry.isIn(p + Int2(size.x(), 0)));
        EXPECT_FALSE(entry.isIn(p + Int2(0, size.y())));
        EXPECT_FALSE(entry.isIn(p - Int2(1, 0)));
        EXPECT_FALSE(entry.isIn(p - Int2(0, 1)));
        // Right of and below the entry there is nothing to press.
        expectNoEffect(p + Int2(size.x(), size.y() / 2));
        expectNoEffect(p + Int2(size.x() / 2, size.y()));
        press(p);
        ASSERT_EQ(heap.size(), 1u);
        EXPECT_EQ(heap[0].first, 4);
    }
}

TEST_F(RollerHits, HiddenButtonIgnoresEveryPoint) {
    Button& simple = RollerProbe::simple(app);
    const Int2 p = simple.getPosition();
    const Int2 size = simple.getSize();
    for (int y = p.y(); y < p.y() + size.y(); y += 17) {
        for (int x = p.x(); x < p.x() + size.x(); x += 17) {
            ASSERT_FALSE(simple.isIn(Int2(x, y)));
        }
    }
    simple.show();
    EXPECT_TRUE(simple.isIn(p));
    simple.hide();
}

TEST_F(RollerHits, DiceAreaRollsOnlyStrictlyInside) {
    app.onKeyPressed('m');
    app.onKeyPressed('6');
    app.onKeyPressed('6');
    expectNoEffect(Int2(10, 100));
    expectNoEffect(Int2(100, 50));
    expectNoEffect(Int2(522, 100));
    expectNoEffect(Int2(100, 434));
    expectRoll(Int2(11, 51));
    expectRoll(Int2(521, 433));
    expectRoll(Int2(266, 240));
}

TEST_F(RollerHits, SmallModeKeepsTheNormalDiceAreaForPresses) {
    Roller::resize(800, 600);
    Roller::frame();
    app.onKeyPressed('6');
    expectRoll(Int2(400, 300));  // below and right of the drawn small area
    expectNoEffect(Int2(522, 300));
}

}  // namespace
