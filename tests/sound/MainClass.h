#pragma once

#include "AbstractMainClass.h"

// The sound tests' application: a small window that draws nothing and never runs a main
// loop. It exists because only the application base class may create the sound manager.
class MainClass : public AbstractMainClass {
public:
    explicit MainClass(const char* argv0)
        : AbstractMainClass(argv0, "Sound tests", 160, 120, false) {}

    bool update() override { return false; }
    void render() override {}
    void onPointerPressed(int, int, int) override {}
    void onPointerReleased(int, int, int) override {}
    void onKeyPressed(int) override {}
    void onKeyReleased(int) override {}
    void onWindowResize() override {}
    bool isRunning() override { return false; }
};
