#include "GlyphScan.h"

#include <cstddef>
#include <cstdio>

#include "Utils.h"

namespace {

// Reads the alpha channel column by column; columns outside the bitmap count as empty.
class AlphaColumns {
public:
    AlphaColumns(const unsigned char* pixels, int width, int height)
        : m_pixels(pixels), m_width(pixels ? width : 0), m_height(height) {}

    bool isInk(int column) const {
        if (column < 0 || column >= m_width) {
            return false;
        }
        for (int row = 0; row < m_height; ++row) {
            if (m_pixels[(size_t(row) * m_width + column) * 4 + 3] != 0) {
                return true;
            }
        }
        return false;
    }

    // First ink column at or after column, or width when there is none.
    int nextInk(int column) const {
        if (column < 0) {
            column = 0;
        }
        while (column < m_width && !isInk(column)) {
            ++column;
        }
        return column;
    }

    int width() const { return m_width; }

private:
    const unsigned char* m_pixels;
    int m_width;
    int m_height;
};

}  // namespace

namespace GlyphScan {

void scan(const unsigned char* rgba, int width, int height, int beginningAscii, int endAscii,
          int& x, int* tabPos, int* tabWidth, bool verbose) {
    const AlphaColumns columns(rgba, width, height);
    const int firstInk = columns.nextInk(x);
    if (firstInk >= columns.width()) {
        return;
    }
    x = firstInk + 1;
    for (int code = beginningAscii; code <= endAscii; ++code) {
        tabPos[code] = x - 2;
        if (verbose) {
            char line[32];
            std::snprintf(line, sizeof line, "   x: %c %d\n", code, x);
            Utils::print(line);
        }
        int end = x;
        while (columns.isInk(end)) {
            ++end;
        }
        x = end + 1;
        tabWidth[code] = end - tabPos[code] + 3;
        if (tabPos[code] == -1) {
            tabWidth[code] = -1;
        }
        if (code != endAscii) {
            const int next = columns.nextInk(x);
            if (next >= columns.width()) {
                return;
            }
            x = next + 1;
        }
    }
}

}  // namespace GlyphScan
