#pragma once

// Helpers shared by the frame's window tests: real X input through xdotool, frame steps
// until a condition holds, and the library's main loop driven by a per-step script.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "MainClass.h"

// Runs `xdotool <arguments>`; "WIN" stands for the test window. True when it succeeded.
bool xdo(const std::string& arguments);

// Runs OpenGLApp::run() with `step` called once per frame step from inside the loop (a GLUT
// timer: it fires in every step, busy or idle, after that step's input callbacks), with
// Script::step set to the steps so far. The loop ends at the first check after `step`
// returns true. False when it was still running after the timeout.
bool runLoop(const std::function<bool(int steps)>& step, int timeoutMs = 30000);

// Resizes the window through the window system and lets the main loop adopt the size.
bool resizeWindow(int width, int height);

// Each test starts with nothing received, no scripts, no key held and the window focused.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        theApp().s = Script();
        theApp().getKeyboardManager()->initKeysAsNotPressed();
        ASSERT_TRUE(xdo("windowfocus --sync WIN"));
    }
};
