#include "CoverWindow.h"

#include <X11/Xlib.h>

CoverWindow::CoverWindow(unsigned long window) : display(XOpenDisplay(nullptr)) {
    Display* dpy = static_cast<Display*>(display);
    XWindowAttributes a;
    Window child;
    int x = 0, y = 0;
    if (dpy == nullptr || !XGetWindowAttributes(dpy, window, &a) ||
        !XTranslateCoordinates(dpy, window, a.root, 0, 0, &x, &y, &child))
        return;
    // Override-redirect: a window manager leaves it where it is put, above the others.
    XSetWindowAttributes set;
    set.override_redirect = True;
    set.background_pixel = BlackPixel(dpy, DefaultScreen(dpy));
    cover = XCreateWindow(dpy, a.root, x, y, a.width, a.height, 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWOverrideRedirect | CWBackPixel, &set);
    XMapRaised(dpy, cover);
    XSync(dpy, False);
}

CoverWindow::~CoverWindow() {
    Display* dpy = static_cast<Display*>(display);
    if (dpy == nullptr)
        return;
    if (cover != 0)
        XDestroyWindow(dpy, cover);
    XCloseDisplay(dpy);
}
