#pragma once

#include "AbstractMainClass.h"

// The media tests' application: it only opens the window and starts the audio system,
// so that pictures, the font and the sound load exactly as the roller loads them.
class MainClass : public AbstractMainClass {
public:
    explicit MainClass(const char* argv0)
        : AbstractMainClass(argv0, "media tests", 640, 480, false) {}

    bool update() override { return false; }
    void render() override {}
    void onPointerPressed(int, int, int) override {}
    void onPointerReleased(int, int, int) override {}
    void onKeyPressed(int) override {}
    void onKeyReleased(int) override {}
    void onWindowResize() override {}
    bool isRunning() override { return false; }
};
