#include "RollerHarness.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "Display.h"
#include "OpenGL.h"
#include "Sound.h"

Button& RollerProbe::entry(MainClass& app, int nbSided) {
    switch (nbSided) {
        case 4:
            return *app.dicesGroup4->insightButton;
        case 6:
            return *app.dicesGroup6->insightButton;
        case 8:
            return *app.dicesGroup8->insightButton;
        case 10:
            return *app.dicesGroup10->insightButton;
        case 12:
            return *app.dicesGroup12->insightButton;
        case 20:
            return *app.dicesGroup20->insightButton;
    }
    throw std::invalid_argument("no such die type");
}

Sprite& RollerProbe::face(MainClass& app, int nbSided, int index) {
    switch (nbSided) {
        case 4:
            return *app.dicesGroup4->dices[index];
        case 6:
            return *app.dicesGroup6->dices[index];
        case 8:
            return *app.dicesGroup8->dices[index];
        case 10:
            return *app.dicesGroup10->dices[index];
        case 12:
            return *app.dicesGroup12->dices[index];
        case 20:
            return *app.dicesGroup20->dices[index];
    }
    throw std::invalid_argument("no such die type");
}

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
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    OpenGL_onResizeWindow(width, height);
    roller.onWindowResize();
}

void frame(bool render) {
    if (render) {
        app().render();
    }
    glFinish();
    rendered = true;
}

bool hasRendered() {
    return rendered;
}
MainClass* instanceOrNull() {
    return instance;
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

Color pixel(int x, int y) {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    const int height = app().getDisplay()->getWindowSize().y();
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Color(rgba[0], rgba[1], rgba[2], rgba[3]);
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
    delete Roller::instanceOrNull();
    return status;
}
