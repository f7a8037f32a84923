// Alt+F4 ends the main loop for good and full-screen mode cannot be left, so these tests run
// in a process of their own.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "Harness.h"
#include "OpenGL.h"

namespace {

typedef KeyboardManager K;

// Alt, Ctrl and Shift as the key hook saw them at each press: they are the input event's.
std::map<int, std::vector<bool>> modifiers;

void onPress(int key) {
    K* k = theApp().getKeyboardManager();
    modifiers[key] = {k->getKey(K::KEYASCII_ALT), k->getKey(K::KEYASCII_CONTROL),
                      k->getKey(K::KEYASCII_SHIFT), k->getKey(key)};
}

using AltF4 = WindowTest;

TEST_F(AltF4, EndsTheLoopOnlyTogetherAndModifiersComeFromTheEvent) {
    theApp().getKeyboardManager()->setKeyPressedEventFunction(onPress);
    // F4 alone and Alt with another key leave the loop running until q stops it.
    bool sent = false;
    ASSERT_TRUE(runLoop([&](int) {
        sent = sent || xdo("key F4 alt+a ctrl+shift+F2 q");
        return modifiers.count('q');
    })) << "F4 or Alt+a ended the loop";
    EXPECT_EQ(std::vector<bool>({false, false, false, false}), modifiers[K::KEYASCII_F4]);
    EXPECT_EQ(std::vector<bool>({true, false, false, false}), modifiers['a']);
    EXPECT_EQ(std::vector<bool>({false, true, true, false}), modifiers[K::KEYASCII_F2]);

    // Alt+F4: the loop ends by itself, once the key has reached the manager and the handler.
    sent = false;
    theApp().s.received.clear();
    ASSERT_TRUE(runLoop([&](int) {
        sent = sent || xdo("key alt+F4");
        return false;
    })) << "Alt+F4 did not end the loop";
    EXPECT_EQ(std::vector<bool>({true, false, false, false}), modifiers[K::KEYASCII_F4]);
    const std::vector<Received>& received = theApp().s.received;
    const auto press = std::find_if(received.begin(), received.end(), [](const Received& r) {
        return r.kind == Received::KEY_DOWN && r.code == K::KEYASCII_F4;
    });
    ASSERT_NE(press, received.end()) << "F4 never reached the handler";
    EXPECT_TRUE(press->held) << "the manager holds F4 inside the handler";
}

// Only a request for full screen with both sizes -1 enters it. (Nothing in this process
// moves the pointer: both its positions are still the origin.)
TEST(FullScreen, OnlyWhenAskedWithoutASize) {
    const MouseManager& mouse = *theApp().getMouseManager();
    EXPECT_EQ(mouse.getMousePosition(), Int2(0, 0));
    EXPECT_EQ(mouse.getMouseRealPosition(), Int2(0, 0));
    const std::tuple<bool, int, int, int> calls[] = {{true, 800, 600, 0},
                                                     {false, -1, -1, 0},
                                                     {true, -1, 600, 0},
                                                     {false, 800, -1, 0},
                                                     {true, -1, -1, 1}};
    for (const auto& [fullscreen, width, height, entered] : calls) {
        setMode(fullscreen, width, height);
        glutMainLoopEvent();
        EXPECT_EQ(entered, glutGet(GLUT_FULL_SCREEN)) << fullscreen << width << height;
    }
}

}  // namespace
