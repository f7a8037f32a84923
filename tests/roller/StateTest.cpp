// Modes, keys, presses, the heap and the roll animation.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Process.h"
#include "RollerHarness.h"
#include "Sound.h"
#include "Utils.h"

namespace {

using Heap = std::vector<std::pair<int, int>>;

class RollerWindow : public testing::Test {
protected:
    void SetUp() override { Roller::reset(); }

    void press(const Int2& p, int button = 0) { app.onPointerPressed(button, p.x(), p.y()); }
    void press(Button& button, int mouseButton = 0) { press(Roller::centre(button), mouseButton); }
    // What a press did: heap, mode, animation and sound compared with before it.
    enum Effect { NOTHING, ROLL };
    void expectPress(const Int2& p, Effect effect) {
        SCOPED_TRACE(testing::Message() << "press at " << p.x() << ", " << p.y());
        const Heap before = heap;
        const bool oneDie = RollerProbe::oneDiceOnly(app);
        sound.stop();
        press(p);
        EXPECT_EQ(heap.size(), before.size());
        if (effect == NOTHING) {
            EXPECT_EQ(heap, before);
        }
        EXPECT_EQ(RollerProbe::oneDiceOnly(app), oneDie);
        EXPECT_EQ(app.update(), effect == ROLL);
        EXPECT_EQ(sound.isPlaying(), effect == ROLL);
    }
    void expectMode(bool oneDie) {
        EXPECT_EQ(RollerProbe::oneDiceOnly(app), oneDie);
        EXPECT_EQ(RollerProbe::isVisible(RollerProbe::simple(app)), !oneDie);
        EXPECT_EQ(RollerProbe::isVisible(RollerProbe::multi(app)), oneDie);
    }
    void keys(const std::string& typed) {
        for (char key : typed) {
            app.onKeyPressed(key);
        }
    }

    MainClass& app = Roller::app();
    Heap& heap = RollerProbe::heap(app);
    Sound& sound = RollerProbe::sound(app);
};

// Input that arrives before the first frame meets the buttons where their pictures
// start out, at (0, 0): the 4-sided entry is the first one tested. Once another test
// has drawn, the check runs in a fresh copy of this program.
TEST(RollerBeforeFirstFrame, PressHitsEntriesAtTheirInitialPlace) {
    if (Roller::hasRendered()) {
        const ChildResult child =
            runProgram({"/proc/self/exe", "--gtest_filter=RollerBeforeFirstFrame.*"});
        EXPECT_EQ(child.exitStatus, 0) << child.out;
        EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
        return;
    }
    MainClass& app = Roller::app();
    app.onPointerPressed(0, 5, 5);
    ASSERT_EQ(RollerProbe::heap(app).size(), 1u);
    EXPECT_EQ(RollerProbe::heap(app)[0].first, 4);
    EXPECT_TRUE(app.update());
}

TEST_F(RollerWindow, StartsInOneDieModeWithAnEmptyHeap) {
    expectMode(true);
    EXPECT_TRUE(heap.empty());
    EXPECT_FALSE(app.update());
    EXPECT_TRUE(app.isRunning());
    app.onKeyPressed(27);
    EXPECT_FALSE(app.isRunning());
}

// Each die type by its key and by its entry (with any mouse button): in one-die mode
// the heap becomes that one die, rolled; in multiple-dice mode it is added unrolled.
TEST_F(RollerWindow, KeysAndEntriesChooseTheirDie) {
    for (bool byKey : {true, false}) {
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(testing::Message() << SIDES[i] << (byKey ? " by key" : " by entry"));
            sound.stop();
            byKey ? app.onKeyPressed(KEYS[i]) : press(RollerProbe::entry(app, SIDES[i]), i % 3);
            ASSERT_EQ(heap.size(), 1u);
            EXPECT_EQ(heap[0].first, SIDES[i]);
            EXPECT_TRUE(sound.isPlaying());
            EXPECT_TRUE(app.update());
        }
        app.onKeyPressed('m');
        sound.stop();
        for (int i = 0; i < 6; ++i) {
            byKey ? app.onKeyPressed(KEYS[i]) : press(RollerProbe::entry(app, SIDES[i]), i % 3);
            EXPECT_FALSE(app.update());
            EXPECT_FALSE(sound.isPlaying());
        }
        ASSERT_EQ(heap.size(), 6u);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(heap[i].first, SIDES[i]);
        }
        app.onKeyPressed('s');
    }
}

TEST_F(RollerWindow, RollsReachEveryFaceAndNoOther) {
    app.onKeyPressed('m');
    for (char key : KEYS) {
        keys(std::string(33, key));
    }
    std::set<std::pair<int, int>> seen(heap.begin(), heap.end());
    for (int roll = 0; roll < 10; ++roll) {
        const Heap before = heap;
        app.onKeyPressed(' ');
        EXPECT_NE(heap, before);
        seen.insert(heap.begin(), heap.end());
    }
    // 4 + 6 + 8 + 10 + 12 + 20 faces, each 0 to N - 1.
    EXPECT_EQ(seen.size(), 60u);
    for (const auto& [sides, face] : seen) {
        EXPECT_TRUE(face >= 0 && face < sides) << sides << ": " << face;
    }
}

// The wall clock stands still in this program, so every reseed falls in the same second.
// A held key 6 must still not replay one stretch of faces over and over: in the last
// 10,000 presses, runs of 20 faces are nearly all different.
TEST_F(RollerWindow, HeldKeyNeverLoopsWithinOneSecond) {
    std::string faces;
    for (int press = 0; press < 20000; ++press) {
        app.onKeyPressed('6');
        faces += static_cast<char>('1' + heap.at(0).second);
    }
    std::set<std::string> runs;
    for (std::size_t i = 10000; i + 20 <= faces.size(); ++i) {
        runs.insert(faces.substr(i, 20));
    }
    EXPECT_GT(runs.size(), 9000u);
}

TEST_F(RollerWindow, OtherKeysOnlyEndTheAnimation) {
    app.onKeyPressed('6');
    const Heap before = heap;
    for (int key : std::initializer_list<int>{'3', '5', '7', '9', 'a', 'x', 13, 9, 127, 28, 29, 30,
                                              31, 33, 34, 256, 267}) {
        SCOPED_TRACE(key);
        RollerProbe::endRoll(app) = Utils::getMillisecond() + 10000;
        app.onKeyPressed(key);
        EXPECT_FALSE(app.update());
        EXPECT_EQ(heap, before);
        expectMode(true);
        EXPECT_TRUE(app.isRunning());
    }
}

TEST_F(RollerWindow, HeapStopsAtTwoHundredDice) {
    app.onKeyPressed('M');
    for (int i = 0; i < 200; ++i) {
        app.onKeyPressed(i % 2 ? '4' : '6');
    }
    const Heap full = heap;
    ASSERT_EQ(full.size(), 200u);
    app.onKeyPressed('4');
    Roller::frame();
    press(RollerProbe::entry(app, 12));
    EXPECT_EQ(heap, full);
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_FALSE(app.update());
    app.onKeyPressed(' ');
    EXPECT_TRUE(app.update());
    EXPECT_EQ(heap.size(), 200u);
}

// Clear empties the heap in both modes; choosing a mode, even the current one, too.
TEST_F(RollerWindow, ClearAndModeKeysEmptyTheHeap) {
    const struct {
        const char* typed;
        bool oneDie;
    } cases[] = {{"6c", true},  {"4C", true}, {"m46M", false},
                 {"4c", false}, {"8S", true}, {"m8s", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        keys(c.typed);
        EXPECT_TRUE(heap.empty());
        expectMode(c.oneDie);
    }
}

TEST_F(RollerWindow, OnlyTheVisibleModeButtonSwitches) {
    app.onKeyPressed('6');
    expectPress(Roller::centre(RollerProbe::simple(app)), NOTHING);
    press(RollerProbe::multi(app), 2);
    expectMode(false);
    EXPECT_TRUE(heap.empty());
    app.onKeyPressed('4');
    Roller::frame();
    expectPress(Roller::centre(RollerProbe::multi(app)), NOTHING);
    press(RollerProbe::simple(app), 1);
    expectMode(true);
    EXPECT_TRUE(heap.empty());
}

TEST_F(RollerWindow, ClearAndRerollActOnlyInMultipleDiceMode) {
    app.onKeyPressed('6');
    expectPress(Roller::centre(RollerProbe::clear(app)), NOTHING);
    expectPress(Roller::centre(RollerProbe::reroll(app)), NOTHING);
    keys("m88");
    Roller::frame();
    expectPress(Roller::centre(RollerProbe::reroll(app)), ROLL);
    press(RollerProbe::clear(app));
    EXPECT_TRUE(heap.empty());
    EXPECT_FALSE(app.update());
    expectPress(Roller::centre(RollerProbe::reroll(app)), ROLL);  // an empty heap rolls too
}

TEST_F(RollerWindow, ButtonsOwnTheirLeftAndTopEdgesOnly) {
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small mode" : "normal layout");
        Roller::resize(small ? 800 : 1024, small ? 600 : 768);
        Roller::frame();
        Button& entry = RollerProbe::entry(app, 4);
        const Int2 p = entry.getPosition();
        const Int2 size = entry.getSize();
        EXPECT_EQ(size, small ? Int2(102, 76) : Int2(204, 153));
        EXPECT_TRUE(entry.isIn(p + size - Int2(1, 1)));
        for (const Int2& outside :
             {p + Int2(size.x(), 0), p + Int2(0, size.y()), p - Int2(1, 0), p - Int2(0, 1)}) {
            EXPECT_FALSE(entry.isIn(outside));
        }
        expectPress(p + Int2(size.x(), size.y() / 2), NOTHING);
        expectPress(p + Int2(size.x() / 2, size.y()), NOTHING);
        press(p);
        ASSERT_EQ(heap.size(), 1u);
        EXPECT_EQ(heap[0].first, 4);
    }
    Button& simple = RollerProbe::simple(app);  // hidden: no point of it is in
    for (int y = 0; y < simple.getSize().y(); y += 7) {
        for (int x = 0; x < simple.getSize().x(); x += 7) {
            ASSERT_FALSE(simple.isIn(simple.getPosition() + Int2(x, y)));
        }
    }
}

// The normal layout's dice area, strictly inside, rolls in small mode too.
TEST_F(RollerWindow, DiceAreaRollsOnlyStrictlyInside) {
    keys("m66");
    for (bool small : {false, true}) {
        Roller::resize(small ? 800 : 1024, small ? 600 : 768);
        Roller::frame();
        for (const Int2& p : {Int2(10, 100), Int2(100, 50), Int2(522, 100), Int2(100, 434)}) {
            expectPress(p, NOTHING);
        }
        for (const Int2& p : {Int2(11, 51), Int2(521, 433), Int2(400, 300)}) {
            expectPress(p, ROLL);
        }
    }
}

TEST_F(RollerWindow, AnyPressEndsARunningRollAndItsTimeEndsItToo) {
    app.onKeyPressed('6');
    const long end = RollerProbe::endRoll(app);
    const long now = Utils::getMillisecond();
    EXPECT_TRUE(end > now && end <= now + 200 && end >= now + 150) << end - now;
    app.onKeyReleased(' ');
    app.onPointerReleased(0, 560, 300);
    EXPECT_TRUE(app.update()) << "releases do not end the roll";
    app.onPointerPressed(2, 560, 300);  // on nothing
    EXPECT_FALSE(app.update());
    app.onKeyPressed(' ');
    RollerProbe::endRoll(app) = Utils::getMillisecond();
    EXPECT_FALSE(app.update());
}

}  // namespace
