// The X11 side of the window's identity. GLUT opens and maps the window without a class
// or an icon; they are set on it here, before the first frame, through the display
// connection and window of the current GLX context (GLUT's own).
#include "PlatformWindow.h"

#include <lodepng.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

#include "Utils.h"

// After the library's headers: Xlib defines names (Display, Font, None) that clash.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Appends one picture as _NET_WM_ICON holds it: width, height, then each pixel as
// non-premultiplied ARGB, rows top to bottom, one 32-bit CARDINAL each (a long for Xlib).
void appendIcon(const std::string& path, std::vector<unsigned long>& icons) {
    unsigned long fileSize = 0;
    unsigned char* file = Utils::readFileIntoNewBuffer(path, &fileSize);
    unsigned char* rgba = nullptr;
    unsigned width = 0;
    unsigned height = 0;
    const unsigned error = lodepng_decode32(&rgba, &width, &height, file, fileSize);
    delete[] file;
    if (error != 0) {
        std::free(rgba);
        Utils::dieErrorMessageToUser(path + " is not a PNG picture: " + lodepng_error_text(error));
    }
    icons.push_back(width);
    icons.push_back(height);
    const size_t count = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* p = rgba + i * 4;
        icons.push_back(static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2]);
    }
    std::free(rgba);
}

void setCardinals(::Display* display, Window window, const char* property,
                  const std::vector<unsigned long>& values) {
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

}  // namespace

void PlatformWindow_setIdentity(const WindowIdentity& identity) {
    if (identity.name.empty() && identity.iconPictures.empty()) {
        return;
    }
    ::Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return;
    }
    if (!identity.name.empty()) {
        std::string instance = identity.name;
        for (char& c : instance) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        std::string windowClass = identity.name;
        XClassHint hint;
        hint.res_name = &instance[0];
        hint.res_class = &windowClass[0];
        XSetClassHint(display, window, &hint);
    }
    // GLUT sets the process id only under a window manager that announces itself; a
    // desktop that starts later still needs it to tie the window to its process.
    setCardinals(display, window, "_NET_WM_PID", {static_cast<unsigned long>(getpid())});
    if (!identity.iconPictures.empty()) {
        std::vector<unsigned long> icons;
        for (const std::string& path : identity.iconPictures) {
            appendIcon(path, icons);
        }
        setCardinals(display, window, "_NET_WM_ICON", icons);
    }
    XFlush(display);
}
