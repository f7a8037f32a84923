// A picture's pixels through the glyph scan. The first bytes choose the width, the codes
// and the starting column; the rest are RGBA pixels, in a buffer of exactly their size.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "GlyphScan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const int width = (data[0] & 0x7f) + 1;
    const int height = static_cast<int>((size - 4) / (4 * width));
    const std::vector<uint8_t> pixels(data + 4, data + 4 + size_t(4) * width * height);
    int tabPos[256];
    int tabWidth[256];
    int x = static_cast<int8_t>(data[3]);
    const int first = data[1] < data[2] ? data[1] : data[2];
    const int last = data[1] < data[2] ? data[2] : data[1];
    GlyphScan::scan(pixels.data(), width, height, first, last, x, tabPos, tabWidth, data[0] >> 7);
    return 0;
}
