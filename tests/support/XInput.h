#pragma once

// Real X input to one top-level window (xdotool, run through the child runner) and
// captures of what the window shows (Xlib), origin at the window's top-left.

#include <functional>
#include <string>
#include <vector>

struct Rgb {
    int r = -1, g = -1, b = -1;  // -1 outside the capture
};

struct Shot {
    int x0 = 0, y0 = 0, width = 0, height = 0;  // the captured part of the window
    std::vector<unsigned char> rgb;
    bool empty() const { return rgb.empty(); }
    // Window coordinates.
    Rgb at(int x, int y) const;
    // Every channel within tolerance of the colour.
    bool is(int x, int y, Rgb colour, int tolerance = 0) const;
};

class XWindow {
public:
    XWindow();
    ~XWindow();
    XWindow(const XWindow&) = delete;
    XWindow& operator=(const XWindow&) = delete;

    // Waits for a visible window titled exactly `title`; `between` runs between tries
    // (to pump events) and ends the wait when it returns false.
    bool find(
        const std::string& title, double seconds,
        const std::function<bool()>& between = [] { return true; });
    // xdotool with the arguments (split at spaces); "WIN" stands for the window.
    bool xdo(const std::string& arguments);
    bool key(const std::string& keys, int repeat = 1, int delayMs = 12);
    bool click(int x, int y, int button = 1);
    bool resize(int width, int height);
    // The whole window, or the part of the given size at (x, y).
    Shot shot(int x = 0, int y = 0, int width = -1, int height = -1);

    unsigned long id = 0;

private:
    void* display;
};
