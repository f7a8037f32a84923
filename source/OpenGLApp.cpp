#include "OpenGLApp.h"

#include <GL/freeglut.h>

#include "Display.h"
#include "KeyboardManager.h"
#include "MainClass.h"
#include "Utils.h"

namespace {

const unsigned int IDLE_POLL_MS = 20;

AbstractMainClass* mainClass = nullptr;
// Set by every input that reaches the application, by a resize and by the window system's
// request for the window's contents; the idle loop waits for it.
bool eventHappened = false;
bool hasPressedAltF4 = false;

// The KeyboardManager code of a GLUT special key, or -1 for keys without one.
int translateSpecialKey(int glutKey) {
    if (glutKey >= GLUT_KEY_F1 && glutKey <= GLUT_KEY_F12) {
        return KeyboardManager::KEYASCII_F1 + (glutKey - GLUT_KEY_F1);
    }
    switch (glutKey) {
        case GLUT_KEY_LEFT:
            return KeyboardManager::KEYASCII_LEFT;
        case GLUT_KEY_UP:
            return KeyboardManager::KEYASCII_UP;
        case GLUT_KEY_RIGHT:
            return KeyboardManager::KEYASCII_RIGHT;
        case GLUT_KEY_DOWN:
            return KeyboardManager::KEYASCII_DOWN;
        case GLUT_KEY_PAGE_UP:
            return KeyboardManager::KEYASCII_PAGEUP;
        case GLUT_KEY_PAGE_DOWN:
            return KeyboardManager::KEYASCII_PAGEDOWN;
        default:
            return -1;
    }
}

// Adopts the window's current size if it differs from the one in effect.
void checkResize() {
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const Int2 current = mainClass->getDisplay()->getWindowSize();
    if (width != current.x() || height != current.y()) {
        OpenGLApp_onResizeWindow(width, height);
    }
}

}  // namespace

OpenGLApp::OpenGLApp(const char* argv0) {
    eventHappened = false;
    mainClass = new MainClass(argv0);
    glutMouseFunc(OpenGLApp_onPointerPressedOrReleased);
    glutMotionFunc(OpenGLApp_onPointerMovingActive);
    glutPassiveMotionFunc(OpenGLApp_onPointerMovingPassive);
    glutKeyboardFunc(OpenGLApp_onKeyDown);
    glutKeyboardUpFunc(OpenGLApp_onKeyUp);
    glutSpecialFunc(OpenGLApp_onKeyDownSpecial);
    glutSpecialUpFunc(OpenGLApp_onKeyUpSpecial);
    glutDisplayFunc(OpenGLApp_onRedisplay);
}

OpenGLApp::~OpenGLApp() {
    delete mainClass;
    mainClass = nullptr;
}

void OpenGLApp::run() {
    bool firstFrameShown = false;
    // A step swaps buffers only when render() drew a frame since the last swap: waiting,
    // the window keeps showing that frame at no cost.
    bool frameDrawn = false;
    const auto step = [&] {
        mainClass->manageOpenGL(frameDrawn);
        frameDrawn = false;
    };
    const auto draw = [&] {
        mainClass->render();
        frameDrawn = true;
    };
    while (mainClass->isRunning() && !hasPressedAltF4) {
        if (mainClass->update()) {
            step();
            draw();
            continue;
        }
        checkResize();
        // Cleared before this step's events are handled: an input among them (one that
        // starts an animation, say) must not be slept through by the wait below.
        eventHappened = false;
        step();
        draw();
        while (!eventHappened) {
            Utils::sleepMs(IDLE_POLL_MS);
            checkResize();
            step();
            if (!firstFrameShown) {
                // Pictures decode on worker threads at start, and their heaps keep what the
                // first frame freed on making its textures: it goes back once it is shown.
                Utils::releaseFreedMemory();
                firstFrameShown = true;
            }
        }
        step();
        draw();
    }
}

void OpenGLApp_onKeyDown(unsigned char key, int x, int y) {
    OpenGLApp_onKeyDown(static_cast<int>(key), x, y);
}

void OpenGLApp_onKeyUp(unsigned char key, int x, int y) {
    OpenGLApp_onKeyUp(static_cast<int>(key), x, y);
}

void OpenGLApp_onKeyDownSpecial(int key, int x, int y) {
    const int code = translateSpecialKey(key);
    if (code >= 0) {
        OpenGLApp_onKeyDown(code, x, y);
    }
}

void OpenGLApp_onKeyUpSpecial(int key, int x, int y) {
    const int code = translateSpecialKey(key);
    if (code >= 0) {
        OpenGLApp_onKeyUp(code, x, y);
    }
}

void OpenGLApp_onKeyDown(int key, int /*x*/, int /*y*/) {
    mainClass->onKeyPressedInternals(key);
    mainClass->onKeyPressed(key);
    eventHappened = true;
    if (key == KeyboardManager::KEYASCII_F4 &&
        mainClass->getKeyboardManager()->getKey(KeyboardManager::KEYASCII_ALT)) {
        hasPressedAltF4 = true;
    }
}

void OpenGLApp_onKeyUp(int key, int /*x*/, int /*y*/) {
    mainClass->onKeyReleasedInternals(key);
    mainClass->onKeyReleased(key);
    eventHappened = true;
}

void OpenGLApp_onPointerPressedOrReleased(int button, int state, int x, int y) {
    if (state == GLUT_DOWN) {
        mainClass->onPointerPressedInternals(button, x, y);
        mainClass->onPointerPressed(button, x, y);
    } else if (state == GLUT_UP) {
        mainClass->onPointerReleasedInternals(button, x, y);
        mainClass->onPointerReleased(button, x, y);
    }
    eventHappened = true;
}

void OpenGLApp_onPointerMovingActive(int x, int y) {
    mainClass->onPointerMovingInternals(true, x, y);
}

void OpenGLApp_onPointerMovingPassive(int x, int y) {
    mainClass->onPointerMovingInternals(false, x, y);
}

void OpenGLApp_onRedisplay() {
    eventHappened = true;
}

void OpenGLApp_checkWindowSize() {
    checkResize();
}

void OpenGLApp_onResizeWindow(int width, int height) {
    eventHappened = true;
    mainClass->onResizeWindowInternals(width, height);
    mainClass->onWindowResize();
}
