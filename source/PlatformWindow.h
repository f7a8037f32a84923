#pragma once

#include "WindowIdentity.h"

// The window system's side of the window GLUT has just opened (the current GL context's
// window). One implementation per platform: unix/PlatformWindow_x11.cpp,
// win32/PlatformWindow_win32.cpp.

// Gives the window the game's name, process id and icon in the window system's own terms.
// Sets nothing when the identity is empty.
void PlatformWindow_setIdentity(const WindowIdentity& identity);
