#include "Harness.h"

#include <GL/freeglut.h>

#include "Display.h"
#include "OpenGLApp.h"
#include "Utils.h"
#include "XInput.h"

namespace {

OpenGLApp* openGLApp = nullptr;

// Timer callbacks of an earlier loop run must not reach a later script.
int scriptGeneration = 0;
std::function<void()> scriptStep;

void onScriptTimer(int generation) {
    if (generation != scriptGeneration || !scriptStep) {
        return;
    }
    scriptStep();
    if (generation == scriptGeneration) {
        glutTimerFunc(1, onScriptTimer, generation);
    }
}

}  // namespace

OpenGLApp& theOpenGLApp() {
    return *openGLApp;
}
void setTheOpenGLApp(OpenGLApp* app) {
    openGLApp = app;
}

bool xdo(const std::string& arguments) {
    static XWindow window;
    if (window.id == 0 &&
        !window.find(MainClass::TITLE, 10, [] { return theApp().manageOpenGL(), true; })) {
        return false;
    }
    return window.xdo(arguments);
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const long long end = Utils::getMicrosecondTime() + timeoutMs * 1000LL;
    while (!condition()) {
        if (Utils::getMicrosecondTime() > end) {
            return false;
        }
        theApp().manageOpenGL();
    }
    return true;
}

bool runLoop(const std::function<void(LoopScript&)>& script, int timeoutMs) {
    MainClass& app = theApp();
    LoopScript state;
    state.startTime = Utils::getMicrosecondTime();
    bool ending = false;
    bool timedOut = false;
    app.runningScript = [&] { return !ending; };
    scriptStep = [&] {
        if (ending) {
            // The idle loop may have cleared an earlier wake-up after drawing: wake it again.
            OpenGLApp_onPointerPressedOrReleased(0, -1, 0, 0);
            return;
        }
        state.ticks++;
        app.step = state.ticks;
        if (Utils::getMicrosecondTime() - state.startTime > timeoutMs * 1000LL) {
            timedOut = true;
            state.stop();
        } else {
            script(state);
        }
        if (state.stopRequested) {
            ending = true;
            // A pointer event of no known state reaches no handler but wakes the idle loop.
            OpenGLApp_onPointerPressedOrReleased(0, -1, 0, 0);
        }
    };
    scriptGeneration++;
    glutTimerFunc(1, onScriptTimer, scriptGeneration);
    theOpenGLApp().run();
    scriptGeneration++;
    scriptStep = nullptr;
    app.runningScript = nullptr;
    return !timedOut;
}

bool resizeWindow(int width, int height) {
    if (!xdo("windowsize --sync WIN " + std::to_string(width) + " " + std::to_string(height))) {
        return false;
    }
    MainClass& app = theApp();
    const Int2 wanted(width, height);
    app.updateScript = nullptr;
    return runLoop([&](LoopScript& loop) {
        if (app.getDisplay()->getWindowSize() == wanted) {
            loop.stop();
        }
    });
}

void PrintTo(const Int2& value, std::ostream* os) {
    *os << "(" << value.x() << ", " << value.y() << ")";
}
