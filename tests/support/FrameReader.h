#pragma once

// Pixels read back in-process from the frame being drawn: the current GL context's back
// buffer, origin at the window's top-left, y down, RGBA.

#include <ostream>
#include <vector>

struct Rgba {
    unsigned char r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Rgba& o) const { return !(*this == o); }
};
void PrintTo(const Rgba& value, std::ostream* os);

// A rectangle of the window, read once after drawing has finished.
class FrameRect {
public:
    FrameRect(int x, int y, int width, int height);
    // The pixel at window position (x, y); transparent black outside the rectangle.
    Rgba at(int x, int y) const;
    int x, y, width, height;
    std::vector<Rgba> pixels;  // rows top first
};

// The whole window.
FrameRect readFrame();
// One pixel of the window.
Rgba readPixel(int x, int y);
