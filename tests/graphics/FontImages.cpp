#include "FontImages.h"

#include "TestPng.h"

namespace TestFont {

void Layout::add(const std::string& glyph, int gapAfter) {
    inkStart.push_back(static_cast<int>(columns.size()));
    columns += glyph;
    inkEnd.push_back(static_cast<int>(columns.size()) - 1);
    columns += std::string(gapAfter, '.');
}

int inkWidthOf(int code) {
    return 1 + code % 3;
}

Layout fullFont(int leading) {
    Layout layout(leading);
    for (int code = 33; code <= 126; ++code) {
        layout.add(std::string(inkWidthOf(code), '#'), 3);
    }
    return layout;
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

std::vector<unsigned char> pixels(const std::string& columns, unsigned height) {
    const size_t width = columns.size();
    // Transparent white around white glyphs, as a font image is meant to be made: filtering
    // at glyph edges then fades the alpha only, never darkens the colour.
    std::vector<unsigned char> rgba;
    rgba.reserve(width * height * 4);
    for (unsigned y = 0; y < height; ++y) {
        for (size_t x = 0; x < width; ++x) {
            if (columns[x] == '#') {
                rgba.insert(rgba.end(), {255, 255, 255, 255});
            } else if (columns[x] == 'f' && y == height / 2) {
                rgba.insert(rgba.end(), {0, 0, 0, 1});
            } else {
                rgba.insert(rgba.end(), {255, 255, 255, 0});
            }
        }
    }
    return rgba;
}

std::string file(const std::string& name, const std::string& columns, unsigned height) {
    const unsigned width = static_cast<unsigned>(columns.size());
    return TestPng::writeFile(name,
                              TestPng::encode(pixels(columns, height), width, height, LCT_RGBA, 8));
}

}  // namespace TestFont
