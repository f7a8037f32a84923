// The Windows side of the window's identity: nothing to set at run time. GLUT gives its
// window class the icon resource named GLUT_ICON of the program file, so the title bar,
// the task bar and Explorer all show the program's own icon, and Windows groups the
// windows by program file.
#include "PlatformWindow.h"

void PlatformWindow_setIdentity(const WindowIdentity&) {}
