// The browser's side of the window's identity: the page is the window, and the page's
// title (set from the window's title) and icon name it.
#include "PlatformWindow.h"

void PlatformWindow_setIdentity(const WindowIdentity&) {}
