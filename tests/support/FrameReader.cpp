#include "FrameReader.h"

#include <GL/freeglut.h>

FrameRect readFrame(bool asShown) {
    glFinish();
    FrameRect frame{glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), {}};
    frame.pixels.resize(size_t(frame.width) * frame.height);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!asShown) {
        glReadPixels(0, 0, frame.width, frame.height, GL_RGBA, GL_UNSIGNED_BYTE,
                     frame.pixels.data());
        return frame;
    }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    GLuint copy = 0;
    glGenTextures(1, &copy);
    glBindTexture(GL_TEXTURE_2D, copy);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 0, 0, frame.width, frame.height, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, frame.pixels.data());
    glDeleteTextures(1, &copy);
    glBindTexture(GL_TEXTURE_2D, GLuint(bound));
    return frame;
}

Rgba FrameRect::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return Rgba();
    return pixels[size_t(height - 1 - y) * width + x];
}

Rgba readPixel(int x, int y) {
    return readFrame().at(x, y);
}

int differing(const FrameRect& a, const FrameRect& b, int right, int bottom) {
    int count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            count += (x > right || y > bottom) && !(a.at(x, y) == b.at(x, y));
    return count;
}
