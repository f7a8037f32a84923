#include "Harness.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "Display.h"
#include "OpenGLApp.h"
#include "Process.h"
#include "Utils.h"

namespace {

OpenGLApp* openGLApp = nullptr;
std::string windowId;

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

const std::string& findWindow() {
    if (windowId.empty()) {
        const std::string search =
            std::string("xdotool search --onlyvisible --name '^") + MainClass::TITLE + "$'";
        pumpUntil([&] {
            const std::string found = commandOutput(search);
            windowId = found.substr(0, found.find('\n'));
            return !windowId.empty();
        });
    }
    return windowId;
}

}  // namespace

OpenGLApp& theOpenGLApp() {
    return *openGLApp;
}
void setTheOpenGLApp(OpenGLApp* app) {
    openGLApp = app;
}

bool xdo(const std::string& arguments) {
    std::string expanded = arguments;
    for (size_t at = expanded.find("WIN"); at != std::string::npos; at = expanded.find("WIN")) {
        expanded.replace(at, 3, findWindow());
    }
    return std::system(("xdotool " + expanded).c_str()) == 0;
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

Frame::Frame() {
    const Int2 size = theApp().getDisplay()->getWindowSize();
    width = size.x();
    height = size.y();
    pixels.resize(static_cast<size_t>(width) * height * 4);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, &pixels[0]);
}

Color Frame::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return Color(0, 0, 0, 0);
    }
    // OpenGL rows start at the bottom of the window.
    const size_t i = (static_cast<size_t>(height - 1 - y) * width + x) * 4;
    const auto channel = [&](size_t k) { return static_cast<unsigned char>(pixels[k]); };
    return Color(channel(i), channel(i + 1), channel(i + 2), channel(i + 3));
}

void PrintTo(const Int2& value, std::ostream* os) {
    *os << "(" << value.x() << ", " << value.y() << ")";
}
