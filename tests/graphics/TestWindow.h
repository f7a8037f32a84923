#pragma once

#include <array>
#include <string>
#include <vector>

class OpenGL;

// The one window of a graphics test program, with the library's drawing state, and
// read-back of what was drawn into its back buffer.
namespace TestWindow {

const int WIDTH = 256;
const int HEIGHT = 256;

struct Pixel {
    int r, g, b;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Opens the window on first call (later calls do nothing).
void open();
// The library's window object, for its untextured primitives.
OpenGL& gl();
// Fills the back buffer with opaque black.
void clear();

// The pixel at virtual position (x, y): origin top-left, y down.
Pixel at(int x, int y);
// The rectangle's pixels, rows top first.
std::vector<Pixel> read(int x, int y, int width, int height);
// True when some pixel of the rectangle is not black.
bool anyLit(int x, int y, int width, int height);
// Leftmost / rightmost / top / bottom lit coordinate in the window, -1 if none.
struct Box {
    int left, top, right, bottom;
};
Box litBox();
int countLit(int threshold);

// The current OpenGL colour (r, g, b, a in 0..1).
std::array<float, 4> currentColour();

// Writes what is drawn to a PNG file, for a person to look at.
void save(const std::string& path);

}  // namespace TestWindow
