#pragma once

#include <string>
#include <utility>
#include <vector>

// Font images described column by column, left to right: '.' empty, '#' ink over the full
// height, 'f' one faint pixel (black, alpha 1) in the middle row.
namespace FontImage {

// The RGBA pixels, rows top first: transparent white around white ink, as a font is made.
inline std::vector<unsigned char> pixels(const std::string& columns, unsigned height) {
    std::vector<unsigned char> rgba;
    for (unsigned y = 0; y < height; ++y) {
        for (char c : columns) {
            const bool faint = c == 'f' && y == height / 2;
            const unsigned char grey = faint ? 0 : 255;
            rgba.insert(rgba.end(), {grey, grey, grey, (unsigned char)(c == '#' ? 255 : faint)});
        }
    }
    return rgba;
}

// All 94 glyphs, 1 + code % 3 columns of ink each, three empty columns apart, after one
// empty column.
inline std::string full() {
    std::string columns = ".";
    for (int code = 33; code <= 126; ++code)
        columns += std::string(1 + code % 3, '#') + "...";
    return columns;
}

// (first column, width) of each run of ink, left to right.
inline std::vector<std::pair<int, int>> inkRuns(const std::string& columns) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < int(columns.size()); ++x) {
        if (columns[x] == '.')
            continue;
        if (x == 0 || columns[x - 1] == '.')
            runs.push_back({x, 0});
        ++runs.back().second;
    }
    return runs;
}

}  // namespace FontImage
