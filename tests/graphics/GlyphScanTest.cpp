// The scan of a font image's alpha for glyph cells, without a window (the sanitizer build
// runs it: the scan walks raw pixel memory).
#include <gtest/gtest.h>

#include "FontImage.h"
#include "GlyphScan.h"

namespace {

struct Tables {
    int pos[256], width[256], x = 0;
};

// The tables after scanning codes 33 to 126 from column 0, as a font does; the pixels are
// exactly the image's bytes, so a read past them is caught by the sanitizer build.
Tables scan(const std::string& columns, unsigned height = 5) {
    Tables t;
    std::fill(std::begin(t.pos), std::end(t.pos), -1);
    std::fill(std::begin(t.width), std::end(t.width), -1);
    const std::vector<unsigned char> rgba = FontImage::pixels(columns, height);
    GlyphScan::scan(columns.empty() ? nullptr : rgba.data(), int(columns.size()), int(height), 33,
                    126, t.x, t.pos, t.width, false);
    return t;
}

// A cell spans one column left of the ink to three right of it; codes from `noGlyph` on have none.
void expectCells(const Tables& t, const std::string& columns, int firstCode, int noGlyph) {
    const auto runs = FontImage::inkRuns(columns);
    for (int code = 0; code < 256; ++code) {
        const bool has = code >= firstCode && code < noGlyph;
        const auto run = has ? runs.at(code - firstCode) : std::pair(0, 0);
        EXPECT_EQ(t.pos[code], has ? run.first - 1 : -1) << code;
        EXPECT_EQ(t.width[code], has ? run.second + 4 : -1) << code;
    }
}

TEST(GlyphScan, CellsStartOneColumnLeftOfTheInkAndAreFourWider) {
    // A faint pixel holds '"' together; the runs after '~' are not read.
    std::string columns = "...##.#f#.#..";
    for (int code = '$'; code <= 126; ++code)
        columns += std::string(1 + code % 3, '#') + "..";
    const Tables t = scan(columns + "##.#");
    expectCells(t, columns, 33, 127);
    EXPECT_EQ(t.x, int(columns.size()) - 1);  // just past the empty column after '~'
}

TEST(GlyphScan, CharactersBeyondTheImagesGlyphsStayWithoutGlyph) {
    const std::string ten = ".#..##..#..##..#..##..#..##..#..##";  // the last at the right edge
    expectCells(scan(ten), ten, 33, 43);
    for (const auto& [columns, height] : {std::pair<std::string, unsigned>{std::string(40, '.'), 5},
                                          {"", 5},
                                          {"..##", 0},
                                          {"#", 5}})
        expectCells(scan(columns, height), columns, 33, 33);
    Tables none = scan("");
    GlyphScan::scan(nullptr, 100, 10, 33, 126, none.x, none.pos, none.width, false);
    expectCells(none, "", 33, 33);  // null pixels are an empty image
    const Tables faint = scan(".f");
    EXPECT_EQ(faint.pos['!'], 0);
    EXPECT_EQ(faint.width['!'], 5);
    EXPECT_EQ(faint.pos['"'], -1);
}

}  // namespace
