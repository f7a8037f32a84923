#pragma once

// Helpers shared by the frame's window tests: real X input through xdotool, frame steps
// until a condition holds, the library's main loop driven by a per-step script, and
// pixels read back from the frame being drawn.

#include <functional>
#include <ostream>
#include <string>

#include "Core.h"
#include "MainClass.h"

class OpenGLApp;

// The OpenGLApp created by the test program's main (one window per process).
OpenGLApp& theOpenGLApp();
void setTheOpenGLApp(OpenGLApp* app);

// Runs `xdotool <arguments>` to completion; true when it succeeded. "WIN" in the arguments
// is replaced by the test window's id.
bool xdo(const std::string& arguments);

// Frame steps (AbstractMainClass::manageOpenGL) until the condition holds; false after
// the timeout.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// A script run once per frame step from inside the library's main loop (a GLUT timer: it
// fires in the event processing of every step, busy or idle, after the input callbacks of
// that step). Before each run, MainClass::step is set to the number of steps so far, so the
// handlers and render() can tell in which step they ran.
class LoopScript {
public:
    int ticks = 0;  // steps so far, this one included
    long long startTime = 0;
    // Ends the loop at its next check; wakes it when it idles.
    void stop() { stopRequested = true; }
    bool stopRequested = false;
};

// Runs OpenGLApp::run() with the script; true when the script stopped it (or the loop ended
// by itself), false when it was still running after the timeout.
bool runLoop(const std::function<void(LoopScript&)>& script, int timeoutMs = 10000);

// Resizes the window through the window system and lets the main loop adopt the size.
bool resizeWindow(int width, int height);

// Readable failure messages for positions and sizes.
void PrintTo(const Int2& value, std::ostream* os);
