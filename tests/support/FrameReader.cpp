#include "FrameReader.h"

#include <GL/freeglut.h>

FrameRect readFrame() {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    FrameRect frame{glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), {}};
    frame.pixels.resize(size_t(frame.width) * frame.height);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.pixels.data());
    return frame;
}

Rgba FrameRect::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return Rgba();
    }
    return pixels[size_t(height - 1 - y) * width + x];
}

Rgba readPixel(int x, int y) {
    return readFrame().at(x, y);
}
