#include "TestWindow.h"

#include <GL/freeglut.h>
#include <lodepng.h>

#include "OpenGL.h"

namespace TestWindow {

namespace {

// The library's own window object: the same GL state the programs draw with.
OpenGL* window = nullptr;

}  // namespace

void open() {
    if (window == nullptr) {
        window = new OpenGL("graphics-tests", "graphics tests", WIDTH, HEIGHT, false);
    }
}

OpenGL& gl() {
    open();
    return *window;
}

void clear() {
    window->clearScreen(colorBlack);
}

std::vector<Pixel> read(int x, int y, int width, int height) {
    glFinish();
    std::vector<unsigned char> raw(size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // OpenGL counts rows from the bottom of the window.
    glReadPixels(x, HEIGHT - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    std::vector<Pixel> pixels(size_t(width) * height);
    for (int row = 0; row < height; ++row) {
        const unsigned char* src = &raw[size_t(height - 1 - row) * width * 4];
        for (int col = 0; col < width; ++col) {
            pixels[size_t(row) * width + col] = {src[col * 4], src[col * 4 + 1], src[col * 4 + 2]};
        }
    }
    return pixels;
}

Pixel at(int x, int y) {
    return read(x, y, 1, 1)[0];
}

bool anyLit(int x, int y, int width, int height) {
    for (const Pixel& p : read(x, y, width, height)) {
        if (p.r || p.g || p.b) {
            return true;
        }
    }
    return false;
}

Box litBox() {
    const std::vector<Pixel> all = read(0, 0, WIDTH, HEIGHT);
    Box box{-1, -1, -1, -1};
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const Pixel& p = all[size_t(y) * WIDTH + x];
            if (!(p.r || p.g || p.b)) {
                continue;
            }
            if (box.left < 0 || x < box.left)
                box.left = x;
            if (box.right < x)
                box.right = x;
            if (box.top < 0)
                box.top = y;
            box.bottom = y;
        }
    }
    return box;
}

int countLit(int threshold) {
    int count = 0;
    for (const Pixel& p : read(0, 0, WIDTH, HEIGHT)) {
        count += (p.r > threshold || p.g > threshold || p.b > threshold) ? 1 : 0;
    }
    return count;
}

std::array<float, 4> currentColour() {
    std::array<float, 4> colour{};
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    return colour;
}

void save(const std::string& path) {
    std::vector<unsigned char> rgba;
    for (const Pixel& p : read(0, 0, WIDTH, HEIGHT)) {
        rgba.insert(rgba.end(), {(unsigned char)p.r, (unsigned char)p.g, (unsigned char)p.b, 255});
    }
    lodepng::encode(path, rgba, WIDTH, HEIGHT);
}

}  // namespace TestWindow
