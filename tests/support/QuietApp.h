#pragma once

#include "AbstractMainClass.h"

// An application for suites that need only what the base class sets up (the window, the
// audio system, the managers): it draws nothing and never runs a main loop.
class QuietApp : public AbstractMainClass {
public:
    QuietApp(const char* argv0, const char* title, int width, int height)
        : AbstractMainClass(argv0, title, width, height, false) {}

    bool update() override { return false; }
    void render() override {}
    void onPointerPressed(int, int, int) override {}
    void onPointerReleased(int, int, int) override {}
    void onKeyPressed(int) override {}
    void onKeyReleased(int) override {}
    void onWindowResize() override {}
    bool isRunning() override { return false; }
};
