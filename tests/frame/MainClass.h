#pragma once

// The application the frame tests run: every handler records what it receives, and each
// test scripts update(), render() and isRunning() through the hooks below. Everything runs
// on the main thread, inside the library's loop or the test's own frame steps.

#include <functional>
#include <vector>

#include "AbstractMainClass.h"
#include "Core.h"

struct Received {
    enum Kind { KEY_DOWN, KEY_UP, POINTER_DOWN, POINTER_UP, RESIZE };
    Kind kind;
    int code;  // key code or button number
    int x, y;
    bool keyHeld;           // the keyboard manager's state of the key (or slot) inside the handler
    bool alt, ctrl, shift;  // only when MainClass::readModifiers is set
    Int2 windowSize;        // Display::getWindowSize() inside the handler
    int step;               // MainClass::step inside the handler
};

class MainClass : public AbstractMainClass {
public:
    static const char* const TITLE;

    explicit MainClass(const char* argv0);
    ~MainClass() override;

    bool update() override;
    void render() override;
    void onPointerPressed(int button, int x, int y) override;
    void onPointerReleased(int button, int x, int y) override;
    void onKeyPressed(int virtualKey) override;
    void onKeyReleased(int virtualKey) override;
    void onWindowResize() override;
    bool isRunning() override;

    // Forgets what was received and removes the scripts.
    void reset();

    std::vector<Received> received;
    int updates = 0;
    int renders = 0;
    std::vector<int> renderSteps;  // MainClass::step at each render
    // The frame step count of a loop run by the tests' harness (see runLoop).
    int step = 0;

    // glutGetModifiers is only meaningful inside a real input event: ask only then.
    bool readModifiers = false;

    std::function<bool()> updateScript;   // default: idle (false)
    std::function<void()> renderScript;   // default: nothing
    std::function<bool()> runningScript;  // default: false, so run() returns at once

private:
    void record(Received::Kind kind, int code, int x, int y, bool keyHeld);
};

// The application object the library created.
MainClass& theApp();
