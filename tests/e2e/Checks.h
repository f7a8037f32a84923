// Shape checks on captures of the roller's window.
#pragma once

#include <cstdlib>

#include "E2eHarness.h"

namespace e2e {

// A line of the colour runs along row y from x0 to x1: at every sampled x, one of the
// rows y - 2 to y + 2 has it (the line is 3 pixels thick, its rows depend on rounding).
inline bool horizontalLine(const Shot& s, int y, int x0, int x1, Rgb colour, int tolerance = 4) {
    for (int x = x0; x <= x1; x += 5) {
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy) {
            found = s.is(x, y + dy, colour, tolerance);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

inline bool verticalLine(const Shot& s, int x, int y0, int y1, Rgb colour, int tolerance = 4) {
    for (int y = y0; y <= y1; y += 5) {
        bool found = false;
        for (int dx = -2; dx <= 2 && !found; ++dx) {
            found = s.is(x + dx, y, colour, tolerance);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

// A grey frame on all four edges of the rectangle at (x, y) of the given size.
inline bool framed(const Shot& s, int x, int y, int width, int height, int tolerance = 4) {
    const int inset = 12;
    return horizontalLine(s, y, x + inset, x + width - inset, BORDER, tolerance) &&
           horizontalLine(s, y + height, x + inset, x + width - inset, BORDER, tolerance) &&
           verticalLine(s, x, y + inset, y + height - inset, BORDER, tolerance) &&
           verticalLine(s, x + width, y + inset, y + height - inset, BORDER, tolerance);
}

// Cell `index` of a dice grid of k columns in the normal layout shows ink in its
// middle.
inline bool cellInked(const Shot& s, int index, int columns) {
    const int x = 10 + (512 * (index % columns)) / columns;
    const int y = 50 + (384 * (index / columns)) / columns;
    const int size = 512 / columns;
    int inked = 0;
    for (int dy = size / 3; dy < size / 2; dy += 2) {
        for (int dx = size / 3; dx < 2 * size / 3; dx += 2) {
            inked += s.offBackground(x + dx, y + dy) > 45;
        }
    }
    return inked >= 3;
}

// Every pixel of the rectangle is the background colour.
inline bool plainBackground(const Shot& s, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (!s.is(x, y, BACKGROUND, 0)) {
                return false;
            }
        }
    }
    return true;
}

// The darkest channel value inside the rectangle.
inline int darkest(const Shot& s, int x0, int y0, int x1, int y1) {
    int result = 255;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const Rgb c = s.at(x, y);
            result = std::min({result, c.r, c.g, c.b});
        }
    }
    return result;
}

// Mean distance to the background over the rectangle, sampled every `step` pixels.
inline double meanOffBackground(const Shot& s, int x0, int y0, int x1, int y1, int step = 3) {
    long sum = 0;
    long count = 0;
    for (int y = y0; y <= y1; y += step) {
        for (int x = x0; x <= x1; x += step) {
            sum += s.offBackground(x, y);
            ++count;
        }
    }
    return count > 0 ? static_cast<double>(sum) / count : 0.0;
}

}  // namespace e2e
