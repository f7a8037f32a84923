#pragma once

// Real X input to one top-level window (xdotool, run through the child runner) and
// captures of what the window shows (Xlib), origin at the window's top-left.

#include <functional>
#include <string>
#include <vector>

struct Rgb {
    int r = -1, g = -1, b = -1;  // -1 outside the capture
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct Shot {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // rows top first
    bool empty() const { return pixels.empty(); }
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
    bool find(const std::string& title, double seconds, const std::function<bool()>& between);
    // xdotool with the arguments (split at spaces); "WIN" stands for the window.
    bool xdo(const std::string& arguments);
    // The whole window; empty once it has gone.
    Shot shot();

    unsigned long id = 0;

private:
    void* display;
};
