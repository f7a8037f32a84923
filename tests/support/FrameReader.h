#pragma once

// Pixels read back in-process from the frame being drawn: the current GL context's back
// buffer, in window coordinates (origin at the top-left, y down), RGBA.

#include <vector>

struct Rgba {
    unsigned char r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// The whole window, read once after drawing has finished.
struct FrameRect {
    int width, height;
    std::vector<Rgba> pixels;  // rows bottom first, as OpenGL counts them
    // Transparent black outside the window.
    Rgba at(int x, int y) const;
};

// Mesa's software renderer reads one sample of each pixel of a multisampled buffer;
// asShown resolves it as the swap does, through a texture copy: what the window will show.
FrameRect readFrame(bool asShown = false);
Rgba readPixel(int x, int y);

// Pixels that differ between two frames, outside the rectangle from the origin to (right,
// bottom): a count says more when it fails than two vectors of pixels.
int differing(const FrameRect& a, const FrameRect& b, int right = -1, int bottom = -1);
