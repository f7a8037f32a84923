#include "FontProbe.h"

#include "TestPng.h"

namespace TestFont {

std::vector<unsigned char> png(const std::string& columns, unsigned height) {
    const unsigned width = static_cast<unsigned>(columns.size());
    // Transparent white around white glyphs, as a font image is meant to be made: filtering
    // at glyph edges then fades the alpha only, never darkens the colour.
    std::vector<TestPng::Rgba> pixels(size_t(width) * height, TestPng::Rgba{255, 255, 255, 0});
    for (unsigned x = 0; x < width; ++x) {
        for (unsigned y = 0; y < height; ++y) {
            TestPng::Rgba& p = pixels[size_t(y) * width + x];
            if (columns[x] == '#') {
                p = {255, 255, 255, 255};
            } else if (columns[x] == 'f' && y == height / 2) {
                p = {0, 0, 0, 1};
            }
        }
    }
    return TestPng::encodeRgba(pixels, width, height);
}

std::string regular(int count, int inkWidth, int gap, size_t totalWidth) {
    std::string columns = ".";
    for (int i = 0; i < count; ++i) {
        columns += std::string(inkWidth, '#') + std::string(gap, '.');
    }
    if (columns.size() < totalWidth) {
        columns.resize(totalWidth, '.');
    }
    return columns;
}

std::string file(const std::string& name, const std::string& columns, unsigned height) {
    return TestPng::writeFile(name, png(columns, height));
}

}  // namespace TestFont
