#include "KeyboardManager.h"

#include <GL/freeglut.h>

#include "Utils.h"

// The one key hook of the process, shared by every manager object.
void (*keyEventFunction)(int) = nullptr;

KeyboardManager::KeyboardManager() {
    initKeysAsNotPressed();
}

KeyboardManager::~KeyboardManager() {}

void KeyboardManager::setKeyPressedEventFunction(void (*eventFunction_)(int)) {
    keyEventFunction = eventFunction_;
}

void KeyboardManager::initKeysAsNotPressed() {
    for (int i = 0; i < NB_KEYBOARD_KEYS; i++) {
        keys[i] = false;
        keysWaitForNoRepeat[i] = false;
    }
}

void KeyboardManager::onKeyPressed(int key) {
    // The callback layer only delivers 0..267; anything else must not touch the tables.
    if (key < 0 || key >= NB_KEYBOARD_KEYS) {
        return;
    }
    if (keyEventFunction != nullptr) {
        keyEventFunction(key);
    }
    keys[key] = true;
}

void KeyboardManager::onKeyReleased(int key) {
    if (key < 0 || key >= NB_KEYBOARD_KEYS) {
        return;
    }
    keysWaitForNoRepeat[key] = false;
    keys[key] = false;
}

bool KeyboardManager::getModifier(int key, bool /*waitForNoRepeat*/) {
    int mask = 0;
    switch (key) {
        case KEYASCII_SHIFT:
            mask = GLUT_ACTIVE_SHIFT;
            break;
        case KEYASCII_CONTROL:
            mask = GLUT_ACTIVE_CTRL;
            break;
        case KEYASCII_ALT:
            mask = GLUT_ACTIVE_ALT;
            break;
        default:
            // Not a key code at all: a programming error of the caller.
            Utils::die();
    }
    return (glutGetModifiers() & mask) != 0;
}
