#include "MouseManager.h"

MouseManager::MouseManager() : mousePosition(0, 0), mouseRealPosition(0, 0) {
    for (int i = 0; i < NB_BUTTON_SLOTS; i++) {
        mouseButton[i] = false;
        mouseButtonBefore[i] = false;
    }
}

MouseManager::~MouseManager() {}

bool MouseManager::getMouseButton(int n) {
    const int slot = getButtonTableIdFromMouseId(n);
    return slot >= 0 && mouseButton[slot];
}

void MouseManager::onPointerPressed(int button, int /*x*/, int /*y*/) {
    const int slot = getButtonTableIdFromMouseId(button);
    if (slot < 0) {
        return;
    }
    mouseButton[slot] = true;
    mouseButtonBefore[slot] = true;
}

void MouseManager::onPointerReleased(int button, int /*x*/, int /*y*/) {
    const int slot = getButtonTableIdFromMouseId(button);
    if (slot < 0) {
        return;
    }
    mouseButton[slot] = false;
    mouseButtonBefore[slot] = false;
}

void MouseManager::onPointerMoving(bool /*isClicking*/, int x, int y) {
    mouseRealPosition = Int2(x, y);
    mousePosition = Int2(x, y);
}

int MouseManager::getButtonTableIdFromMouseId(int n) {
    return n >= 0 && n < NB_BUTTON_SLOTS ? n : -1;
}
