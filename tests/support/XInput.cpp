#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "Process.h"

namespace {

// The child runner does not search PATH.
const char* const XDOTOOL = "/usr/bin/xdotool";

// The window may go away between two requests; the caller sees an empty capture.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

Rgb Shot::at(int x, int y) const {
    x -= x0;
    y -= y0;
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return Rgb();
    }
    const unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
    return Rgb{p[0], p[1], p[2]};
}

bool Shot::is(int x, int y, Rgb colour, int tolerance) const {
    const Rgb c = at(x, y);
    return std::abs(c.r - colour.r) <= tolerance && std::abs(c.g - colour.g) <= tolerance &&
           std::abs(c.b - colour.b) <= tolerance;
}

XWindow::XWindow() {
    XSetErrorHandler(ignoreXError);
    display = XOpenDisplay(nullptr);
}

XWindow::~XWindow() {
    if (display != nullptr) {
        XCloseDisplay(static_cast<Display*>(display));
    }
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
    for (std::string word; words >> word;) {
        argv.push_back(word == "WIN" ? std::to_string(id) : word);
    }
    return runProgram(argv, ".", 30).exitStatus == 0;
}

bool XWindow::key(const std::string& keys, int repeat, int delayMs) {
    return xdo("key --repeat " + std::to_string(repeat) + " --delay " + std::to_string(delayMs) +
               " " + keys);
}

bool XWindow::click(int x, int y, int button) {
    return xdo("mousemove --window WIN --sync " + std::to_string(x) + " " + std::to_string(y) +
               " click " + std::to_string(button));
}

bool XWindow::resize(int width, int height) {
    return xdo("windowsize --sync WIN " + std::to_string(width) + " " + std::to_string(height));
}

Shot XWindow::shot(int x, int y, int width, int height) {
    Shot result;
    Display* dpy = static_cast<Display*>(display);
    XWindowAttributes attributes;
    if (dpy == nullptr || id == 0 || !XGetWindowAttributes(dpy, id, &attributes)) {
        return result;
    }
    if (width < 0) {
        width = attributes.width - x;
        height = attributes.height - y;
    }
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > attributes.width ||
        y + height > attributes.height) {
        return result;
    }
    XImage* image = XGetImage(dpy, id, x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return result;
    }
    result = Shot{x, y, width, height, std::vector<unsigned char>(size_t(width) * height * 3)};
    unsigned char* out = result.rgb.data();
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long pixel = image->bits_per_pixel == 32
                                            ? reinterpret_cast<const uint32_t*>(
                                                  image->data + row * image->bytes_per_line)[column]
                                            : XGetPixel(image, column, row);
            *out++ = (pixel >> 16) & 0xff;
            *out++ = (pixel >> 8) & 0xff;
            *out++ = pixel & 0xff;
        }
    }
    XDestroyImage(image);
    return result;
}
