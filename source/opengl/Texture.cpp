#include "Texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <climits>
#include <cstddef>

#include "Utils.h"

namespace Texture {

// GLU scales a side past GL_MAX_TEXTURE_SIZE down with int byte counts and fails on large
// pictures in its own way (a crash): they are refused before anything reaches GL.
void checkSize(int width, int height, bool isAlpha) {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    const long long bytes = static_cast<long long>(width) * height * (isAlpha ? 4 : 3);
    UTILS_ASSERT(width <= maxSide && height <= maxSide && bytes <= INT_MAX);
}

namespace {

// A new texture with the library's filtering and wrapping, left bound.
GLuint newTexture(int width, int height, bool isAlpha) {
    checkSize(width, height, isAlpha);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Linear within the nearest mipmap level: smooth when shrunk, no blending of levels.
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    return name;
}

}  // namespace

int loadTexture(int width, int height, unsigned char* data, bool isAlpha) {
    UTILS_ASSERT(data != nullptr);
    const GLuint name = newTexture(width, height, isAlpha);
    const GLenum format = isAlpha ? GL_RGBA : GL_RGB;
    const GLint result =
        gluBuild2DMipmaps(GL_TEXTURE_2D, format, width, height, format, GL_UNSIGNED_BYTE, data);
    UTILS_ASSERT(result == 0);
    return static_cast<int>(name);
}

int loadTextureWithLevels(int width, int height, const unsigned char* data,
                          const unsigned char* smallerLevels) {
    UTILS_ASSERT(data != nullptr);
    const GLuint name = newTexture(width, height, true);
    // RGBA rows are 4-byte aligned, so any unpack alignment reads them packed.
    const unsigned char* level = data;
    for (int i = 0;; ++i) {
        glTexImage2D(GL_TEXTURE_2D, i, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, level);
        if (width == 1 && height == 1) {
            break;
        }
        level = (i == 0 ? smallerLevels : level + size_t(width) * height * 4);
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
    return static_cast<int>(name);
}

namespace {

GLint level0(GLenum parameter) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

GLint powerOfTwoAtLeast(int side) {
    GLint power = 1;
    while (power < side) {
        power *= 2;
    }
    return power;
}

}  // namespace

int copyFrame(int textureId, int width, int height) {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    GLuint name = static_cast<GLuint>(textureId);
    glBindTexture(GL_TEXTURE_2D, name);
    if (name != 0 && (level0(GL_TEXTURE_WIDTH) < width || level0(GL_TEXTURE_HEIGHT) < height)) {
        unloadTexture(textureId);
        name = 0;
    }
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide) {
        unloadTexture(static_cast<int>(name));
        return 0;
    }
    if (name == 0) {
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, powerOfTwoAtLeast(width),
                     powerOfTwoAtLeast(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
    return static_cast<int>(name);
}

void drawFrameCopy(int textureId, int width, int height) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textureId));
    const float right = static_cast<float>(width) / static_cast<float>(level0(GL_TEXTURE_WIDTH));
    const float top = static_cast<float>(height) / static_cast<float>(level0(GL_TEXTURE_HEIGHT));
    // The copy's alpha is whatever blending left in the frame: it must not drop texels.
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glMatrixMode(GL_MODELVIEW);
    // The copy's row 0 is the window's bottom row.
    glBegin(GL_POLYGON);
    glTexCoord2f(right, 0);
    glVertex2i(width, height);
    glTexCoord2f(0, 0);
    glVertex2i(0, height);
    glTexCoord2f(0, top);
    glVertex2i(0, 0);
    glTexCoord2f(right, top);
    glVertex2i(width, 0);
    glEnd();
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
}

void unloadTexture(int textureId) {
    const GLuint name = static_cast<GLuint>(textureId);
    glDeleteTextures(1, &name);
}

void drawTexture(int textureId, int pixelPosX, int pixelPosY, int width, int height) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textureId));
    glMatrixMode(GL_MODELVIEW);
    // t = 0 on the top edge: the y axis of the window grows downward, like the rows.
    glBegin(GL_POLYGON);
    glTexCoord2i(1, 1);
    glVertex2i(pixelPosX + width, pixelPosY + height);
    glTexCoord2i(0, 1);
    glVertex2i(pixelPosX, pixelPosY + height);
    glTexCoord2i(0, 0);
    glVertex2i(pixelPosX, pixelPosY);
    glTexCoord2i(1, 0);
    glVertex2i(pixelPosX + width, pixelPosY);
    glEnd();
}

void drawFragmentOfTexture(int id, int pixelPosX, int pixelPosY, float x1, float y1, float x2,
                           float y2, int width, int height) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(id));
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_POLYGON);
    glTexCoord2f(x2, y2);
    glVertex2i(pixelPosX + width, pixelPosY + height);
    glTexCoord2f(x1, y2);
    glVertex2i(pixelPosX, pixelPosY + height);
    glTexCoord2f(x1, y1);
    glVertex2i(pixelPosX, pixelPosY);
    glTexCoord2f(x2, y1);
    glVertex2i(pixelPosX + width, pixelPosY);
    glEnd();
}

void setColor(const Color& color) {
    glColor4ub(color.r(), color.g(), color.b(), color.a());
}

void resetColor() {
    setColor(colorWhite);
}

}  // namespace Texture
