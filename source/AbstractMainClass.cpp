#include "AbstractMainClass.h"

#include "Display.h"
#include "KeyboardManager.h"
#include "MouseManager.h"
#include "PlatformWindow.h"
#include "SoundManager.h"
#include "opengl/OpenGL.h"

AbstractMainClass* AbstractMainClass::instance = nullptr;

AbstractMainClass::AbstractMainClass(const char* argv0, const char* windowTitle, int windowWidth,
                                     int windowHeight, bool isFullscreen,
                                     const WindowIdentity& identity)
    : keyboardManager(nullptr),
      mouseManager(nullptr),
      soundManager(nullptr),
      openGL(nullptr),
      display(nullptr) {
    instance = this;
    openGL = new OpenGL(argv0, windowTitle, windowWidth, windowHeight, isFullscreen);
    PlatformWindow_setIdentity(identity);
    display = new Display(openGL);
    keyboardManager = new KeyboardManager();
    mouseManager = new MouseManager();
    soundManager = new SoundManager(argv0);
}

AbstractMainClass::~AbstractMainClass() {
    delete soundManager;
    delete keyboardManager;
    delete mouseManager;
    delete display;
    delete openGL;
    if (instance == this) {
        instance = nullptr;
    }
}

int AbstractMainClass::manageOpenGL(bool present) {
    return openGL->manage(present);
}

void AbstractMainClass::onPointerPressedInternals(int button, int x, int y) {
    mouseManager->onPointerPressed(button, x, y);
}

void AbstractMainClass::onPointerReleasedInternals(int button, int x, int y) {
    mouseManager->onPointerReleased(button, x, y);
}

void AbstractMainClass::onPointerMovingInternals(bool isClicking, int x, int y) {
    mouseManager->onPointerMoving(isClicking, x, y);
}

void AbstractMainClass::onKeyPressedInternals(int virtualKey) {
    keyboardManager->onKeyPressed(virtualKey);
}

void AbstractMainClass::onKeyReleasedInternals(int virtualKey) {
    keyboardManager->onKeyReleased(virtualKey);
}

void AbstractMainClass::onResizeWindowInternals(int width, int height) {
    OpenGL_onResizeWindow(width, height);
}
