// Keys and pointer buttons sent through the X server where the GLUT callbacks must be
// registered, and the callbacks called directly where that is clearer.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <utility>

#include "Harness.h"
#include "OpenGLApp.h"

namespace {

typedef KeyboardManager K;
typedef std::pair<Received::Kind, int> Call;

class Input : public WindowTest {
protected:
    // Sends X input, then runs frame steps until the handlers have received `count` calls.
    bool send(const std::string& xdotool, size_t count) {
        return xdo(xdotool) && runLoop([&](int) { return received().size() >= count; });
    }
    std::vector<Received>& received() { return theApp().s.received; }
    std::vector<Call> calls() {
        std::vector<Call> result;
        for (const Received& r : received())
            result.push_back(Call(r.kind, r.code));
        return result;
    }
    static void press(int key, bool down) {
        down ? OpenGLApp_onKeyDown(key, 0, 0) : OpenGLApp_onKeyUp(key, 0, 0);
    }

    KeyboardManager* keyboard = theApp().getKeyboardManager();
    MouseManager* mouse = theApp().getMouseManager();
};

// Each key through X reaches the press and release handlers once, with the library's code.
// Home, End and Insert have no code: they reach nothing. Arrows and pages are translated
// through their names, so their codes are spelled out here.
TEST_F(Input, KeysReachTheHandlersOnceWithTheLibrarysCodes) {
    // clang-format off
    const std::pair<const char*, int> keys[] = {
        {"F1", K::KEYASCII_F1}, {"F2", K::KEYASCII_F2}, {"F3", K::KEYASCII_F3},
        {"F4", K::KEYASCII_F4}, {"F5", K::KEYASCII_F5}, {"F6", K::KEYASCII_F6},
        {"F7", K::KEYASCII_F7}, {"F8", K::KEYASCII_F8}, {"F9", K::KEYASCII_F9},
        {"F10", K::KEYASCII_F10}, {"F11", K::KEYASCII_F11}, {"F12", K::KEYASCII_F12},
        {"Home", -1}, {"End", -1}, {"Insert", -1}, {"a", 'a'},
        {"Left", 29}, {"Up", 30}, {"Right", 28}, {"Down", 31}, {"Prior", '!'}, {"Next", 34},
        {"Escape", K::KEYASCII_ESCAPE}, {"Return", K::KEYASCII_ENTER},
        {"Tab", K::KEYASCII_TABULATION}, {"Delete", K::KEYASCII_DEL}};
    // clang-format on
    std::string sequence = "key";
    size_t count = 0;
    for (const auto& [name, code] : keys) {
        sequence += std::string(" ") + name;
        count += code >= 0 ? 2 : 0;
    }
    send(sequence, count);
    ASSERT_EQ(count, received().size());
    const std::vector<Call> got = calls();
    size_t at = 0;
    for (const auto& [name, code] : keys) {
        if (code < 0)
            continue;
        SCOPED_TRACE(name);
        EXPECT_EQ(Call(Received::KEY_DOWN, code), got[at++]);
        EXPECT_EQ(Call(Received::KEY_UP, code), got[at++]);
    }
}

TEST_F(Input, KeyStateHookAndRepeatFollowPressesAndReleases) {
    std::vector<std::pair<int, bool>> hook;  // the code, and whether the table held it already
    static std::vector<std::pair<int, bool>>* seen = &hook;
    keyboard->setKeyPressedEventFunction([](int key) {
        seen->push_back({key, theApp().getKeyboardManager()->getKey(key)});
    });
    press('A', true);
    press('z', true);
    EXPECT_TRUE(keyboard->getKey('A'));
    EXPECT_FALSE(keyboard->getKey('a')) << "case counts";
    EXPECT_TRUE(received()[0].held) << "held inside the handler";
    EXPECT_TRUE(keyboard->getKeyNoCase('a'));
    EXPECT_TRUE(keyboard->getKeyNoCase('Z'));
    EXPECT_TRUE(keyboard->getKeyNoRepeat('A'));
    EXPECT_FALSE(keyboard->getKeyNoRepeat('A')) << "answered once per press";
    press('A', true);  // auto-repeat
    EXPECT_FALSE(keyboard->getKeyNoRepeat('A')) << "a repeat is no new press";
    press('A', false);
    EXPECT_FALSE(keyboard->getKey('A'));
    EXPECT_FALSE(received().back().held) << "released inside the handler";
    keyboard->setKeyPressedEventFunction(nullptr);
    press('A', true);
    EXPECT_TRUE(keyboard->getKeyNoRepeat('A')) << "a new press answers again";
    EXPECT_EQ((std::vector<std::pair<int, bool>>{{'A', false}, {'z', false}, {'A', true}}), hook);
}

TEST_F(Input, PointerPositionsFollowMotionAndPressesCarryTheirOwn) {
    // Through X: a drag moves both positions and reaches no handler.
    ASSERT_TRUE(xdo("mousemove --window WIN --sync 100 50"));
    ASSERT_TRUE(send("mousedown 1", 1));
    ASSERT_TRUE(xdo("mousemove --window WIN --sync 120 70"));
    ASSERT_TRUE(runLoop([&](int) { return mouse->getMouseRealPosition() == Int2(120, 70); }));
    EXPECT_EQ(Int2(120, 70), mouse->getMousePosition());
    ASSERT_TRUE(send("mouseup 1", 2));
    const std::vector<Call> expected = {{Received::POINTER_DOWN, 0}, {Received::POINTER_UP, 0}};
    EXPECT_EQ(expected, calls());
    EXPECT_EQ(Int2(received()[1].x, received()[1].y), Int2(120, 70)) << "the release's place";

    // Called directly: slots 0..4 are held while down (and inside the handler), other numbers
    // reach the handlers only; a state neither up nor down reaches nothing. No press moves
    // the pointer.
    received().clear();
    for (int button = -1; button < 7; button++) {
        OpenGLApp_onPointerPressedOrReleased(button, GLUT_DOWN, 5, 7);
        for (int other = -1; other < 7; other++)
            EXPECT_EQ(other == button && button >= 0 && button < 5, mouse->getMouseButton(other))
                << button << " down, asking for " << other;
        OpenGLApp_onPointerPressedOrReleased(button, GLUT_UP, 6, 8);
        OpenGLApp_onPointerPressedOrReleased(button, 2, 9, 9);
        EXPECT_FALSE(mouse->getMouseButton(button));
    }
    EXPECT_EQ(16u, received().size());
    EXPECT_EQ(Int2(received()[1].x, received()[1].y), Int2(6, 8)) << "the release's place";
    EXPECT_TRUE(received()[2].held) << "held inside the handler";
    EXPECT_EQ(Int2(120, 70), mouse->getMousePosition());
}

}  // namespace
