// Keys and pointer buttons sent through the X server, and the callbacks called directly
// where that is clearer, as the handlers and the managers see them.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "Harness.h"
#include "KeyboardManager.h"
#include "MouseManager.h"
#include "OpenGLApp.h"
#include "Process.h"

namespace {

typedef KeyboardManager K;
typedef std::pair<Received::Kind, int> Call;

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        theApp().reset();
        keyboard = theApp().getKeyboardManager();
        mouse = theApp().getMouseManager();
        // Input goes to the window that has the focus; there is no window manager.
        ASSERT_TRUE(xdo("windowfocus --sync WIN"));
    }
    void TearDown() override { keyboard->setKeyPressedEventFunction(nullptr); }

    // Sends X input, then runs frame steps until the handlers have received `count` calls.
    bool send(const std::string& xdotool, size_t count) {
        return xdo(xdotool) && pumpUntil([&] { return theApp().received.size() >= count; });
    }

    std::vector<Call> calls() const {
        std::vector<Call> result;
        for (const Received& r : theApp().received) {
            result.push_back(Call(r.kind, r.code));
        }
        return result;
    }

    void expectNoKeyHeld() {
        for (int code = 0; code < K::KEYASCII_SHIFT; code++) {
            ASSERT_FALSE(keyboard->getKey(code)) << "code " << code;
        }
    }

    KeyboardManager* keyboard = nullptr;
    MouseManager* mouse = nullptr;
};

// What the key hook saw: the code, and whether the table already held the key.
std::vector<std::pair<int, bool>> hookCalls;

void recordHook(int key) {
    hookCalls.push_back(std::make_pair(key, theApp().getKeyboardManager()->getKey(key)));
}

std::vector<Call> pressesAndReleases(const std::vector<int>& codes) {
    std::vector<Call> result;
    for (int code : codes) {
        result.push_back(Call(Received::KEY_DOWN, code));
        result.push_back(Call(Received::KEY_UP, code));
    }
    return result;
}

TEST_F(Input, KeysReachTheHandlersOnceWithTheLibrarysCodes) {
    const std::vector<Call> expected =
        pressesAndReleases({'a', 256, 257, 258, 259, 260, 261, 262, 263, 264, 265, 266,
                            267, 29,  30,  28,  31,  33,  34,  27,  13,  9,   127});
    // Home, End and Insert have no code: they must not show up at all.
    send(
        "key Home End Insert a F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 "
        "Left Up Right Down Prior Next Escape Return Tab Delete",
        expected.size());
    EXPECT_EQ(expected, calls());
}

TEST_F(Input, KeyStateIsCaseSensitiveAndSharedByCodes) {
    ASSERT_TRUE(send("keydown a", 1));
    EXPECT_TRUE(keyboard->getKey('a'));
    EXPECT_FALSE(keyboard->getKey('A'));
    EXPECT_TRUE(keyboard->getKeyNoCase('A'));
    EXPECT_TRUE(theApp().received[0].keyHeld) << "recorded before the handler runs";
    ASSERT_TRUE(send("keyup a", 2));
    EXPECT_FALSE(keyboard->getKey('a'));
    EXPECT_FALSE(keyboard->getKey('A'));
    EXPECT_FALSE(theApp().received[1].keyHeld) << "released before the handler runs";

    // Page up and '!' are one code; right is 28, left 29.
    ASSERT_TRUE(send("keydown Prior Right", 6));
    EXPECT_TRUE(keyboard->getKey(K::KEYASCII_PAGEUP));
    EXPECT_TRUE(keyboard->getKey('!'));
    EXPECT_TRUE(keyboard->getKey(28));
    EXPECT_FALSE(keyboard->getKey(29));
    ASSERT_TRUE(send("keyup Prior Right", 8));
    expectNoKeyHeld();
}

TEST_F(Input, ModifiersAreReadFromTheEventAndNeverRecorded) {
    theApp().readModifiers = true;
    ASSERT_TRUE(send("keydown Alt_L x", 1));
    ASSERT_TRUE(send("keyup x Alt_L keydown Control_L Shift_L F2", 3));
    ASSERT_TRUE(send("keyup F2 Shift_L Control_L", 4));
    const std::vector<Received>& r = theApp().received;
    EXPECT_EQ('x', r[0].code);
    EXPECT_TRUE(r[0].alt);
    EXPECT_FALSE(r[0].ctrl);
    EXPECT_FALSE(r[0].shift);
    EXPECT_EQ(K::KEYASCII_F2, r[2].code);
    EXPECT_FALSE(r[2].alt);
    EXPECT_TRUE(r[2].ctrl);
    EXPECT_TRUE(r[2].shift);
    expectNoKeyHeld();
}

TEST_F(Input, KeyHookRunsOncePerPressBeforeTheTableChanges) {
    hookCalls.clear();
    keyboard->setKeyPressedEventFunction(recordHook);
    ASSERT_TRUE(send("key c Right", 4));
    const std::vector<std::pair<int, bool>> expected = {{'c', false}, {28, false}};
    EXPECT_EQ(expected, hookCalls);

    keyboard->setKeyPressedEventFunction(nullptr);
    ASSERT_TRUE(send("key d", 6));
    EXPECT_EQ(expected, hookCalls) << "a removed hook is not called";
}

TEST_F(Input, ForgettingHeldKeysSurvivesTheirLaterRelease) {
    ASSERT_TRUE(send("keydown b Down", 2));
    keyboard->initKeysAsNotPressed();
    EXPECT_FALSE(keyboard->getKey('b'));
    EXPECT_FALSE(keyboard->getKey(K::KEYASCII_DOWN));
    ASSERT_TRUE(send("keyup b Down", 4));
    EXPECT_FALSE(keyboard->getKey('b'));
    ASSERT_TRUE(send("keydown b", 5));
    EXPECT_TRUE(keyboard->getKey('b'));
    ASSERT_TRUE(send("keyup b", 6));
}

TEST_F(Input, NoRepeatQueryAnswersOncePerPress) {
    OpenGLApp_onKeyDown(static_cast<unsigned char>('n'), 0, 0);
    EXPECT_TRUE(keyboard->getKeyNoRepeat('n'));
    EXPECT_FALSE(keyboard->getKeyNoRepeat('n'));
    OpenGLApp_onKeyDown(static_cast<unsigned char>('n'), 0, 0);  // auto-repeat
    EXPECT_FALSE(keyboard->getKeyNoRepeat('n'));
    OpenGLApp_onKeyUp(static_cast<unsigned char>('n'), 0, 0);
    EXPECT_FALSE(keyboard->getKeyNoRepeat('n'));
    OpenGLApp_onKeyDown(static_cast<unsigned char>('n'), 0, 0);
    EXPECT_TRUE(keyboard->getKeyNoRepeat('n'));
    OpenGLApp_onKeyUp(static_cast<unsigned char>('n'), 0, 0);
}

TEST_F(Input, PointerButtonsAreHeldPerSlotAndPositionsFollowMotionOnly) {
    ASSERT_TRUE(xdo("mousemove --window WIN --sync 100 50"));
    ASSERT_TRUE(pumpUntil([&] { return mouse->getMousePosition() == Int2(100, 50); }));
    EXPECT_EQ(Int2(100, 50), mouse->getMouseRealPosition());
    EXPECT_TRUE(theApp().received.empty()) << "motion reaches no handler";

    // Dragging moves both positions as passive motion does, and reaches no handler.
    ASSERT_TRUE(send("mousedown 3", 1));
    EXPECT_TRUE(theApp().received[0].keyHeld) << "recorded before the handler runs";
    ASSERT_TRUE(xdo("mousemove --window WIN --sync 120 70"));
    ASSERT_TRUE(pumpUntil([&] { return mouse->getMousePosition() == Int2(120, 70); }));
    EXPECT_EQ(Int2(120, 70), mouse->getMouseRealPosition());
    ASSERT_TRUE(send("mouseup 3", 2));
    EXPECT_EQ(100, theApp().received[0].x);
    EXPECT_EQ(50, theApp().received[0].y);
    EXPECT_EQ(120, theApp().received[1].x);
    EXPECT_FALSE(theApp().received[1].keyHeld);

    // X button n is GLUT's n - 1 (right is 2, the wheel 3 and 4): every number reaches the
    // handlers unchanged; 0..4 are held while down, higher numbers never.
    size_t count = 2;
    for (int xButton : {1, 2, 3, 4, 5, 6, 7}) {
        const int button = xButton - 1;
        ASSERT_TRUE(send("mousedown " + std::to_string(xButton), ++count)) << xButton;
        EXPECT_EQ(button, theApp().received.back().code);
        EXPECT_EQ(Received::POINTER_DOWN, theApp().received.back().kind);
        for (int other = 0; other < 10; other++) {
            EXPECT_EQ(other == button && button < 5, mouse->getMouseButton(other))
                << "button " << button << " down, asking for " << other;
        }
        ASSERT_TRUE(send("mouseup " + std::to_string(xButton), ++count)) << xButton;
        EXPECT_EQ(button, theApp().received.back().code);
        EXPECT_EQ(Received::POINTER_UP, theApp().received.back().kind);
        EXPECT_FALSE(mouse->getMouseButton(button));
    }
}

TEST_F(Input, PressesCarryTheirOwnPositionAndLeaveTheTrackedOneAlone) {
    OpenGLApp_onPointerMovingPassive(30, 40);
    OpenGLApp_onPointerPressedOrReleased(0, GLUT_DOWN, 5, 7);
    OpenGLApp_onPointerPressedOrReleased(0, GLUT_UP, 6, 8);
    // Neither a press nor a release: no handler, no state.
    OpenGLApp_onPointerPressedOrReleased(1, 2, 9, 9);
    OpenGLApp_onPointerPressedOrReleased(9, GLUT_DOWN, 1, 1);
    OpenGLApp_onPointerPressedOrReleased(-3, GLUT_DOWN, 1, 1);
    EXPECT_EQ(Int2(30, 40), mouse->getMousePosition());
    const std::vector<Call> expected = {{Received::POINTER_DOWN, 0},
                                        {Received::POINTER_UP, 0},
                                        {Received::POINTER_DOWN, 9},
                                        {Received::POINTER_DOWN, -3}};
    EXPECT_EQ(expected, calls());
    EXPECT_EQ(5, theApp().received[0].x);
    EXPECT_EQ(7, theApp().received[0].y);
    EXPECT_EQ(6, theApp().received[1].x);
    for (int button = -5; button < 12; button++) {
        EXPECT_FALSE(mouse->getMouseButton(button)) << "button " << button;
    }
}

// Run again as a child that asks for the code: the message and status 1 end it.
TEST(InputFatal, AskingForACodeThatIsNoKeyEndsTheProgram) {
    if (const char* code = std::getenv("TOVRIK_ASK_KEY")) {
        theApp().getKeyboardManager()->getKey(std::atoi(code));
        return;
    }
    for (const char* code : {"271", "-1"}) {
        setenv("TOVRIK_ASK_KEY", code, 1);
        const ChildResult child = runProgram({"/proc/self/exe", "--gtest_filter=InputFatal.*"});
        unsetenv("TOVRIK_ASK_KEY");
        EXPECT_EQ(1, child.exitStatus) << "code " << code;
        EXPECT_NE(std::string::npos, child.out.find("#### Program cannot continue.")) << child.out;
    }
}

}  // namespace
