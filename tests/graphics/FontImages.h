#pragma once

#include <string>
#include <vector>

// Font images made by the tests, described column by column, left to right:
// '.' empty, '#' ink over the full height, 'f' a single faint pixel (alpha 1, black).
namespace TestFont {

// A font image laid out glyph by glyph, remembering where each glyph's ink went.
struct Layout {
    std::string columns;
    std::vector<int> inkStart;
    std::vector<int> inkEnd;

    explicit Layout(int leadingEmptyColumns) : columns(leadingEmptyColumns, '.') {}
    void add(const std::string& glyph, int gapAfter);
};

// Ink width 1, 2 or 3 by code, so that neighbouring glyphs differ.
int inkWidthOf(int code);

// All 94 glyphs, inkWidthOf wide, three empty columns apart, after `leading` empty ones.
Layout fullFont(int leading = 1);

// Column 0 empty, then `count` glyphs each `inkWidth` columns wide, separated by `gap`
// empty columns, padded with empty columns to `totalWidth` when that is larger.
std::string regular(int count, int inkWidth, int gap, size_t totalWidth = 0);

// The RGBA pixels of the image (exactly width x height x 4 bytes), rows top first.
std::vector<unsigned char> pixels(const std::string& columns, unsigned height);

// Writes the image as a PNG file and returns its path.
std::string file(const std::string& name, const std::string& columns, unsigned height);

}  // namespace TestFont
