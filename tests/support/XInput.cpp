#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "Process.h"

// The child runner does not search PATH.
const char* const XDOTOOL = "/usr/bin/xdotool";

Rgb Shot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return Rgb();
    return pixels[size_t(y) * width + x];
}

bool Shot::is(int x, int y, Rgb colour, int tolerance) const {
    const Rgb c = at(x, y);
    return std::abs(c.r - colour.r) <= tolerance && std::abs(c.g - colour.g) <= tolerance &&
           std::abs(c.b - colour.b) <= tolerance;
}

XWindow::XWindow() {
    // The window may go away between two requests; the caller sees an empty capture.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    display = XOpenDisplay(nullptr);
}

XWindow::~XWindow() {
    if (display != nullptr)
        XCloseDisplay(static_cast<Display*>(display));
}

bool XWindow::find(const std::string& title, double seconds, const std::function<bool()>& between) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(long(seconds * 1000));
    while (std::chrono::steady_clock::now() < deadline && between()) {
        const ChildResult found =
            runProgram({XDOTOOL, "search", "--onlyvisible", "--name", "^" + title + "$"}, ".", 10);
        if (found.exitStatus == 0 && !found.out.empty()) {
            // The newest of them: a window of an ended program may linger for a moment.
            id = std::stoul(
                found.out.substr(found.out.find_last_of('\n', found.out.size() - 2) + 1));
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool XWindow::xdo(const std::string& arguments) {
    std::vector<std::string> argv = {XDOTOOL};
    std::istringstream words(arguments);
    for (std::string word; words >> word;)
        argv.push_back(word == "WIN" ? std::to_string(id) : word);
    return runProgram(argv, ".", 30).exitStatus == 0;
}

Shot XWindow::shot() {
    Shot result;
    Display* dpy = static_cast<Display*>(display);
    XWindowAttributes attributes;
    if (dpy == nullptr || id == 0 || !XGetWindowAttributes(dpy, id, &attributes))
        return result;
    const int width = attributes.width, height = attributes.height;
    XImage* image = XGetImage(dpy, id, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return result;
    result = Shot{width, height, {}};
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const unsigned long p = XGetPixel(image, column, row);
            result.pixels.push_back(Rgb{int(p >> 16) & 0xff, int(p >> 8) & 0xff, int(p) & 0xff});
        }
    XDestroyImage(image);
    return result;
}
