// The window tests share one application and its window (one GLUT window per process).
#include "Harness.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "OpenGLApp.h"
#include "Utils.h"
#include "XInput.h"

namespace {

OpenGLApp* openGLApp = nullptr;

// Timer callbacks of an earlier loop run must not reach a later one.
int generation = 0;
std::function<void()> onStep;

void onTimer(int from) {
    if (from != generation || !onStep)
        return;
    onStep();
    if (from == generation)
        glutTimerFunc(1, onTimer, from);
}

}  // namespace

bool xdo(const std::string& arguments) {
    static XWindow window;
    const auto pump = [] {
        theApp().manageOpenGL();
        return true;
    };
    return (window.id != 0 || window.find(MainClass::TITLE, 10, pump)) && window.xdo(arguments);
}

bool runLoop(const std::function<bool(int)>& step, int timeoutMs) {
    Script& s = theApp().s;
    const long long end = Utils::getMicrosecondTime() + timeoutMs * 1000LL;
    bool ending = false, timedOut = false;
    s.step = 0;
    s.running = [&] { return !ending; };
    onStep = [&] {
        // The idle loop may have cleared an earlier wake-up after drawing: wake it again.
        if (!ending) {
            s.step++;
            timedOut = Utils::getMicrosecondTime() > end;
            ending = timedOut || step(s.step);
        }
        if (ending)  // a pointer event of no known state: no handler, but the loop wakes
            OpenGLApp_onPointerPressedOrReleased(0, -1, 0, 0);
    };
    glutTimerFunc(1, onTimer, ++generation);
    openGLApp->run();
    generation++;
    onStep = nullptr;
    s.running = nullptr;
    return !timedOut;
}

bool resizeWindow(int width, int height) {
    const Int2 wanted(width, height);
    theApp().s.update = nullptr;
    return xdo("windowsize --sync WIN " + std::to_string(width) + " " + std::to_string(height)) &&
           runLoop([&](int) { return theApp().getDisplay()->getWindowSize() == wanted; });
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    openGLApp = new OpenGLApp(argv[0]);
    const int status = RUN_ALL_TESTS();
    delete openGLApp;
    return status;
}
