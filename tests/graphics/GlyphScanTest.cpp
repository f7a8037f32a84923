#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "FontImages.h"
#include "GlyphScan.h"

namespace {

using TestFont::Layout;

const int FIRST = 33;  // "!"
const int LAST = 126;  // "~"

// The tables after scanning codes 33 to 126 of an image from column 0, as a font does.
struct Tables {
    int pos[256];
    int width[256];
    int x = 0;
};

Tables scan(const std::string& columns, unsigned height = 5, bool verbose = false) {
    Tables t;
    std::fill(std::begin(t.pos), std::end(t.pos), -1);
    std::fill(std::begin(t.width), std::end(t.width), -1);
    // Exactly the image's bytes: a read past them is caught by the sanitizer build.
    const std::vector<unsigned char> rgba = TestFont::pixels(columns, height);
    GlyphScan::scan(rgba.data(), static_cast<int>(columns.size()), static_cast<int>(height), FIRST,
                    LAST, t.x, t.pos, t.width, verbose);
    return t;
}

// The cell of a glyph spans one column left of its ink to three right of it.
void expectCells(const Tables& t, const Layout& layout, int firstCode = FIRST) {
    for (size_t i = 0; i < layout.inkStart.size(); ++i) {
        const int code = firstCode + static_cast<int>(i);
        EXPECT_EQ(t.pos[code], layout.inkStart[i] - 1) << "code " << code;
        EXPECT_EQ(t.width[code], layout.inkEnd[i] - layout.inkStart[i] + 5) << "code " << code;
    }
}

void expectNoGlyphFrom(const Tables& t, int code) {
    for (int c = code; c < 256; ++c) {
        EXPECT_EQ(t.pos[c], -1) << "code " << c;
        EXPECT_EQ(t.width[c], -1) << "code " << c;
    }
}

TEST(GlyphScan, CellStartsOneColumnLeftOfTheInkAndIsFourWider) {
    Layout layout(3);
    layout.add("##", 1);   // "!" in columns 3 and 4: cell start 2, width 6
    layout.add("#f#", 1);  // '"' held together by a faint column: one glyph
    layout.add("#", 2);    // "#" one column wide: width 5
    for (int code = '$'; code <= LAST; ++code) {
        layout.add(std::string(TestFont::inkWidthOf(code), '#'), 2);
    }
    layout.columns += "##.#";  // runs after "~" are not read
    const Tables t = scan(layout.columns);

    EXPECT_EQ(t.pos['!'], 2);
    EXPECT_EQ(t.width['!'], 6);
    EXPECT_EQ(t.pos['"'], 5);
    EXPECT_EQ(t.width['"'], 7);
    EXPECT_EQ(t.width['#'], 5);
    expectCells(t, layout);
    expectNoGlyphFrom(t, LAST + 1);
    for (int c = 0; c < FIRST; ++c) {
        EXPECT_EQ(t.pos[c], -1) << c;
    }
    EXPECT_EQ(t.x, layout.inkEnd.back() + 2);  // just past the empty column after "~"
}

TEST(GlyphScan, OnlyAlphaCountsAndAGapSplitsAGlyph) {
    // Black, almost transparent pixels are ink; without them the quote falls apart and
    // every later character takes its neighbour's glyph.
    Layout joined(1);
    joined.add("#", 1);
    joined.add("#f#", 1);
    joined.add("##", 1);
    const Tables ok = scan(joined.columns);
    EXPECT_EQ(ok.pos['#'], joined.inkStart[2] - 1);

    Layout split(1);
    split.add("#", 1);
    split.add("#", 1);
    split.add("#", 1);
    split.add("##", 1);
    const Tables shifted = scan(split.columns);
    EXPECT_EQ(shifted.width['"'], 5);
    EXPECT_EQ(shifted.pos['#'], split.inkStart[2] - 1);
    EXPECT_EQ(shifted.pos['$'], split.inkStart[3] - 1);
}

TEST(GlyphScan, InkInColumnZeroLeavesTheFirstCharacterWithoutGlyph) {
    const Layout layout = TestFont::fullFont(0);
    const Tables t = scan(layout.columns);
    EXPECT_EQ(t.pos['!'], -1);
    EXPECT_EQ(t.width['!'], -1);
    Layout rest = layout;
    rest.inkStart.erase(rest.inkStart.begin());
    rest.inkEnd.erase(rest.inkEnd.begin());
    expectCells(t, rest, FIRST + 1);
}

TEST(GlyphScan, CharactersBeyondTheImagesGlyphsStayWithoutGlyph) {
    // Ten glyphs, the last touching the right edge of the image.
    Layout layout(1);
    for (int code = FIRST; code < FIRST + 10; ++code) {
        layout.add(std::string(TestFont::inkWidthOf(code), '#'), code == FIRST + 9 ? 0 : 2);
    }
    const Tables t = scan(layout.columns);
    expectCells(t, layout);
    expectNoGlyphFrom(t, FIRST + 10);

    expectNoGlyphFrom(scan(std::string(40, '.')), 0);
    expectNoGlyphFrom(scan(""), 0);
    expectNoGlyphFrom(scan("..##", 0), 0);  // no rows, no ink
    const Tables lone = scan("#");          // one column of ink at column 0
    expectNoGlyphFrom(lone, 0);
    const Tables faint = scan(".f");
    EXPECT_EQ(faint.pos['!'], 0);
    EXPECT_EQ(faint.width['!'], 5);
    expectNoGlyphFrom(faint, '"');
}

TEST(GlyphScan, NullPixelsAreAnEmptyImage) {
    Tables t;
    std::fill(std::begin(t.pos), std::end(t.pos), -1);
    std::fill(std::begin(t.width), std::end(t.width), -1);
    GlyphScan::scan(nullptr, 100, 10, FIRST, LAST, t.x, t.pos, t.width, false);
    expectNoGlyphFrom(t, 0);
}

TEST(GlyphScan, VerboseScanPrintsEachCodeAndColumn) {
    testing::internal::CaptureStdout();
    scan("..#.##", 3, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "   x: ! 3\n   x: \" 5\n");
}

}  // namespace
