#pragma once

// The application the frame tests run: every handler records what it receives, and each
// test scripts update(), render() and isRunning() through `script`.

#include <functional>
#include <vector>

#include "AbstractMainClass.h"
#include "Display.h"
#include "KeyboardManager.h"
#include "MouseManager.h"

struct Received {
    enum Kind { KEY_DOWN, KEY_UP, POINTER_DOWN, POINTER_UP, RESIZE };
    Kind kind;
    int code;  // key code or button number
    int x, y;
    bool held;  // the manager's state of the key or button inside the handler
    Int2 windowSize;
    int step;  // Script::step inside the handler
};

struct Script {
    std::vector<Received> received;
    std::vector<int> renderSteps;   // Script::step at each render
    int step = 0;                   // frame steps of the loop run by runLoop
    std::function<bool()> update;   // default: idle
    std::function<void()> render;   // default: nothing
    std::function<bool()> running;  // default: false, so run() returns at once
};

class MainClass : public AbstractMainClass {
public:
    static constexpr const char* TITLE = "tovrik frame test";
    explicit MainClass(const char* argv0) : AbstractMainClass(argv0, TITLE, 640, 480, false) {}

    bool update() override { return s.update && s.update(); }
    void render() override {
        s.renderSteps.push_back(s.step);
        getDisplay()->clearScreen(colorBlack);
        if (s.render)
            s.render();
    }
    void onPointerPressed(int b, int x, int y) override { record(Received::POINTER_DOWN, b, x, y); }
    void onPointerReleased(int b, int x, int y) override { record(Received::POINTER_UP, b, x, y); }
    void onKeyPressed(int key) override { record(Received::KEY_DOWN, key, 0, 0); }
    void onKeyReleased(int key) override { record(Received::KEY_UP, key, 0, 0); }
    void onWindowResize() override { record(Received::RESIZE, 0, 0, 0); }
    bool isRunning() override { return s.running && s.running(); }

    Script s;

private:
    void record(Received::Kind kind, int code, int x, int y) {
        const bool key = kind == Received::KEY_DOWN || kind == Received::KEY_UP;
        const bool held =
            key ? getKeyboardManager()->getKey(code) : getMouseManager()->getMouseButton(code);
        s.received.push_back({kind, code, x, y, held, getDisplay()->getWindowSize(), s.step});
    }
};

// The application object the library created.
inline MainClass& theApp() {
    return *static_cast<MainClass*>(AbstractMainClass::getInstance());
}
