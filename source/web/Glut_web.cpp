// What the browser's GLUT and GL emulation lack, for the window unit and the textures:
// the buffer swap and event pump of a frame step, the raster position, and mipmapped
// textures.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <vector>

#include "Mipmaps.h"

extern "C" {
// In tovrik_gl.js. The waits hand control back to the browser (Asyncify) until it shows
// the next frame, or until a key, a button, a touch or a new window size arrives.
void tovrikWaitForFrame(void);
void tovrikWaitForInput(void);
// Whether input or a new size arrived since the last call.
int tovrikTakeInput(void);
}

namespace {
bool frameSwapped = false;
bool lastPumpIdle = false;
}  // namespace

extern "C" {

void glutSwapBuffers(void) {
    frameSwapped = true;
}

// Input reaches the program only while it has handed control back to the browser, which
// is also when the browser shows the frame just drawn. After a new frame the step waits
// for the browser's next animation frame: frames are drawn at the pace they can be shown,
// none is drawn only to be replaced unseen. A step with nothing shown and nothing heard,
// after another such step, is the idle loop's: it waits for input instead of polling, so
// the idle page costs nothing until then. What ends the wait is left for the next step to
// hear: a new size reaches the loop only at its next size check, after this step.
void glutMainLoopEvent(void) {
    const bool shown = frameSwapped;
    frameSwapped = false;
    if (shown) {
        tovrikWaitForFrame();
        lastPumpIdle = false;
    } else if (tovrikTakeInput() != 0) {
        lastPumpIdle = false;
    } else if (lastPumpIdle) {
        tovrikWaitForInput();
        lastPumpIdle = false;
    } else {
        lastPumpIdle = true;
    }
}

// WebGL draws no pixels at a raster position: nothing in the library relies on it there.
void glRasterPos2d(GLdouble, GLdouble) {}

// Level 0 and the library's own smaller levels. WebGL 1 mipmaps and repeats only pictures
// whose sides are powers of two: the others get one level, clamped, and so still draw.
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data) {
    if (width <= 0 || height <= 0 || data == nullptr)
        return GL_INVALID_VALUE;
    glTexImage2D(target, 0, internalFormat, width, height, 0, format, type, data);
    if (format != GL_RGBA || !Mipmaps::canBuild(unsigned(width), unsigned(height))) {
        glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        return 0;
    }
    std::vector<unsigned char> levels(
        Mipmaps::smallerLevelsBytes(unsigned(width), unsigned(height)));
    Mipmaps::buildSmallerLevels(static_cast<const unsigned char*>(data), unsigned(width),
                                unsigned(height), levels.data());
    const unsigned char* level = levels.data();
    for (GLint i = 1; width > 1 || height > 1; ++i) {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        glTexImage2D(target, i, internalFormat, width, height, 0, format, type, level);
        level += size_t(width) * size_t(height) * 4;
    }
    return 0;
}

}  // extern "C"
