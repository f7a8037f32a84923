#include "Mipmaps.h"

namespace Mipmaps {

namespace {

bool isPowerOfTwo(unsigned n) {
    return n != 0 && (n & (n - 1)) == 0;
}

unsigned half(unsigned n) {
    return n > 1 ? n / 2 : 1;
}

void halve(const unsigned char* src, unsigned width, unsigned height, unsigned char* dst) {
    const unsigned newWidth = half(width);
    const unsigned newHeight = half(height);
    if (width > 1 && height > 1) {
        const size_t row = size_t(width) * 4;
        for (unsigned y = 0; y < newHeight; ++y) {
            const unsigned char* top = src + 2 * y * row;
            const unsigned char* bottom = top + row;
            for (unsigned i = 0; i < newWidth * 4; ++i) {
                const unsigned x = (i / 4) * 8 + i % 4;
                *dst++ = static_cast<unsigned char>(
                    (top[x] + top[x + 4] + bottom[x] + bottom[x + 4] + 2) / 4);
            }
        }
        return;
    }
    // One row or one column: pairs of neighbours, 4 bytes apart either way.
    for (unsigned i = 0; i < newWidth * newHeight * 4; ++i) {
        const unsigned x = (i / 4) * 8 + i % 4;
        *dst++ = static_cast<unsigned char>((src[x] + src[x + 4]) / 2);
    }
}

}  // namespace

bool canBuild(unsigned width, unsigned height) {
    return isPowerOfTwo(width) && isPowerOfTwo(height);
}

size_t smallerLevelsBytes(unsigned width, unsigned height) {
    size_t bytes = 0;
    while (width > 1 || height > 1) {
        width = half(width);
        height = half(height);
        bytes += size_t(width) * height * 4;
    }
    return bytes;
}

void buildSmallerLevels(const unsigned char* level0, unsigned width, unsigned height,
                        unsigned char* out) {
    const unsigned char* src = level0;
    while (width > 1 || height > 1) {
        halve(src, width, height, out);
        src = out;
        width = half(width);
        height = half(height);
        out += size_t(width) * height * 4;
    }
}

}  // namespace Mipmaps
