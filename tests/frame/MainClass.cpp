#include "MainClass.h"

#include <GL/freeglut.h>

#include "Display.h"
#include "KeyboardManager.h"
#include "MouseManager.h"

const char* const MainClass::TITLE = "tovrik frame test";

MainClass::MainClass(const char* argv0) : AbstractMainClass(argv0, TITLE, 640, 480, false) {}

MainClass::~MainClass() {}

MainClass& theApp() {
    return *static_cast<MainClass*>(AbstractMainClass::getInstance());
}

void MainClass::reset() {
    received.clear();
    updates = 0;
    renders = 0;
    renderSteps.clear();
    step = 0;
    readModifiers = false;
    updateScript = nullptr;
    renderScript = nullptr;
    runningScript = nullptr;
}

bool MainClass::update() {
    updates++;
    return updateScript ? updateScript() : false;
}

void MainClass::render() {
    renders++;
    renderSteps.push_back(step);
    getDisplay()->clearScreen(colorBlack);
    if (renderScript) {
        renderScript();
    }
}

void MainClass::record(Received::Kind kind, int code, int x, int y, bool keyHeld) {
    Received r{};
    r.kind = kind;
    r.code = code;
    r.x = x;
    r.y = y;
    r.keyHeld = keyHeld;
    if (readModifiers) {
        KeyboardManager* keyboard = getKeyboardManager();
        r.alt = keyboard->getKey(KeyboardManager::KEYASCII_ALT);
        r.ctrl = keyboard->getKey(KeyboardManager::KEYASCII_CONTROL);
        r.shift = keyboard->getKey(KeyboardManager::KEYASCII_SHIFT);
    }
    r.windowSize = getDisplay()->getWindowSize();
    r.step = step;
    received.push_back(r);
}

void MainClass::onPointerPressed(int button, int x, int y) {
    record(Received::POINTER_DOWN, button, x, y, getMouseManager()->getMouseButton(button));
}

void MainClass::onPointerReleased(int button, int x, int y) {
    record(Received::POINTER_UP, button, x, y, getMouseManager()->getMouseButton(button));
}

void MainClass::onKeyPressed(int virtualKey) {
    record(Received::KEY_DOWN, virtualKey, 0, 0, getKeyboardManager()->getKey(virtualKey));
}

void MainClass::onKeyReleased(int virtualKey) {
    record(Received::KEY_UP, virtualKey, 0, 0, getKeyboardManager()->getKey(virtualKey));
}

void MainClass::onWindowResize() {
    record(Received::RESIZE, 0, 0, 0, false);
}

bool MainClass::isRunning() {
    return runningScript ? runningScript() : false;
}
