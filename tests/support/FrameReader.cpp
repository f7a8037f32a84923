#include "FrameReader.h"

#include <GL/freeglut.h>

#include <algorithm>

void PrintTo(const Rgba& value, std::ostream* os) {
    *os << "(" << int(value.r) << ", " << int(value.g) << ", " << int(value.b) << ", "
        << int(value.a) << ")";
}

static_assert(sizeof(Rgba) == 4, "glReadPixels writes four bytes per pixel");

FrameRect::FrameRect(int x, int y, int width, int height)
    : x(x), y(y), width(width), height(height), pixels(size_t(width) * height) {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // OpenGL counts rows from the bottom of the window; Rgba is four packed bytes.
    const int windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<Rgba> bottomUp(pixels.size());
    glReadPixels(x, windowHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    for (int row = 0; row < height; ++row) {
        std::copy_n(&bottomUp[size_t(height - 1 - row) * width], width,
                    &pixels[size_t(row) * width]);
    }
}

Rgba FrameRect::at(int px, int py) const {
    if (px < x || py < y || px >= x + width || py >= y + height) {
        return Rgba();
    }
    return pixels[size_t(py - y) * width + (px - x)];
}

FrameRect readFrame() {
    return FrameRect(0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

Rgba readPixel(int x, int y) {
    return FrameRect(x, y, 1, 1).pixels[0];
}
