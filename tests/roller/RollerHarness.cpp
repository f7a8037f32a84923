#include "RollerHarness.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "OpenGL.h"
#include "Sound.h"

namespace Roller {
namespace {

MainClass* instance = nullptr;
bool rendered = false;

}  // namespace

MainClass& app() {
    if (instance == nullptr) {
        instance = new MainClass("roller_window_tests");
    }
    return *instance;
}

void resize(int width, int height) {
    MainClass& roller = app();
    glutReshapeWindow(width, height);
    // The window system answers asynchronously; pump events until it has.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the window did not take its new size");
        }
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    OpenGL_onResizeWindow(width, height);
    roller.onWindowResize();
}

void frame() {
    app().render();
    glFinish();
    rendered = true;
}

bool hasRendered() {
    return rendered;
}

void reset() {
    MainClass& roller = app();
    resize(1024, 768);
    roller.onKeyPressed('s');
    RollerProbe::endRoll(roller) = -1;
    RollerProbe::running(roller) = true;
    RollerProbe::sound(roller).stop();
    frame();
}

Int2 centre(Button& button) {
    return button.getPosition() + Int2(button.getSize().x() / 2, button.getSize().y() / 2);
}

}  // namespace Roller

int main(int argc, char** argv) {
    // The roller reads media/ relative to the working directory.
    if (const char* source = std::getenv("TOVRIK_SOURCE_DIR")) {
        if (chdir(source) != 0) {
            return 2;
        }
    }
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    // Sounds and the audio device are released as the program would release them.
    delete &Roller::app();
    return status;
}
