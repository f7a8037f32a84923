#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "FontImages.h"
#include "FontProbe.h"
#include "GraphicsTest.h"
#include "TestPng.h"

namespace {

using TestFont::fullFont;
using TestFont::inkWidthOf;
using TestFont::Layout;

std::unique_ptr<Font> loadFont(const std::string& columns, unsigned height = 11) {
    return std::make_unique<Font>("test", TestFont::file("font.png", columns, height), 1.5f, 6, 2);
}

class FontTest : public GraphicsTest {};

TEST_F(FontTest, TablesComeFromTheScanOfTheDecodedImage) {
    const Layout layout = fullFont();
    std::unique_ptr<Font> font = loadFont(layout.columns);
    FontProbe probe(*font);
    for (size_t i = 0; i < layout.inkStart.size(); ++i) {
        const int code = 33 + static_cast<int>(i);
        EXPECT_EQ(probe.cellStart(code), layout.inkStart[i] - 1) << code;
        EXPECT_EQ(probe.cellWidth(code), layout.inkEnd[i] - layout.inkStart[i] + 5) << code;
        EXPECT_TRUE(probe.isSupported(static_cast<char>(code)));
    }
    for (int code = 127; code < 256; ++code) {
        EXPECT_FALSE(probe.isSupported(static_cast<char>(code))) << code;
    }
}

TEST_F(FontTest, CharacterWhoseInkStartsInColumnZeroIsNeitherDrawnNorMeasured) {
    std::unique_ptr<Font> font = loadFont(fullFont(0).columns);
    FontProbe probe(*font);
    EXPECT_FALSE(probe.isSupported('!'));
    EXPECT_TRUE(probe.isSupported('"'));
    const Int2 pen = probe.draw(colorWhite, Int2(10, 20), "!", Float2(1.0f));
    EXPECT_EQ(pen.x(), 10);
    EXPECT_FALSE(TestWindow::anyLit(0, 0, TestWindow::WIDTH, TestWindow::HEIGHT));
    EXPECT_EQ(probe.width("!", -1, 1.0f), 0);
}

TEST_F(FontTest, PenMovesBySpacesGlyphsAndNewlinesAtRelativeScale) {
    const Layout layout = fullFont();
    std::unique_ptr<Font> font = loadFont(layout.columns, 11);
    FontProbe probe(*font);
    const Float2 one(1.0f);
    // Relative scale 1.5: a space is 6 * 1.5 = 9, a line trunc(11 * 1.5) = 16, and a
    // glyph advances its cell width less the reduction of 2, times 1.5, truncated.
    auto advance = [](int code) { return int((inkWidthOf(code) + 4 - 2) * 1.5); };
    struct Case {
        const char* text;
        int count;
        int x, y;
    };
    const Case cases[] = {
        {" ", -1, 19, 20},
        {"!", -1, 10 + advance('!'), 20},
        {"!\"", -1, 10 + advance('!') + advance('"'), 20},
        {"A\nB", -1, 10 + advance('B'), 36},
        {"\n\n", -1, 10, 52},
        {"! !", 2, 10 + advance('!') + 9, 20},
        {"!!!", 0, 10, 20},
        {"!\0!", 3, 10 + 2 * advance('!'), 20},
        {"\t\x7f\x80\xc3\xa9\xff", -1, 10, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Int2 pen = probe.draw(colorRed, Int2(10, 20), c.text, one, c.count);
        EXPECT_EQ(pen.x(), c.x);
        EXPECT_EQ(pen.y(), c.y);
        expectWhiteColour();
    }
}

TEST_F(FontTest, CharactersWithoutGlyphAreSkippedAndNotDrawn) {
    std::unique_ptr<Font> font = loadFont(fullFont().columns);
    FontProbe probe(*font);
    for (char c : std::string("\t\x7f\x80\xc3\xa9\xff\x01")) {
        EXPECT_FALSE(probe.isSupported(c)) << int(static_cast<unsigned char>(c));
    }
    EXPECT_TRUE(probe.isSupported(' '));
    EXPECT_TRUE(probe.isSupported('\n'));
    EXPECT_TRUE(probe.isSupported('~'));

    probe.draw(colorWhite, Int2(10, 20), "\t\x7f\x80\xc3\xa9\xff", Float2(1.0f));
    probe.draw(colorWhite, Int2(10, 20), "abc", Float2(1.0f), 0);
    EXPECT_FALSE(TestWindow::anyLit(0, 0, TestWindow::WIDTH, TestWindow::HEIGHT));
    expectWhiteColour();
}

TEST_F(FontTest, GlyphIsDrawnInItsCellInTheTextColour) {
    std::unique_ptr<Font> font = loadFont(fullFont().columns, 16);
    FontProbe probe(*font);
    probe.draw(Color(255, 0, 0, 255), Int2(30, 40), "#", Float2(2.0f));
    // Effective scale 3: cell trunc(7 * 3) = 21 wide, trunc(16 * 3) = 48 high, ink from
    // one cell column in.
    const TestWindow::Box box = TestWindow::litBox();
    EXPECT_GE(box.left, 30 + 2);
    EXPECT_LE(box.left, 30 + 4);
    EXPECT_LE(box.right, 30 + 21 - 1);
    EXPECT_EQ(box.top, 40);
    EXPECT_EQ(box.bottom, 40 + 48 - 1);
    const TestWindow::Pixel middle = TestWindow::at(30 + 6, 60);
    EXPECT_GT(middle.r, 200);
    EXPECT_EQ(middle.g, 0);
    EXPECT_EQ(middle.b, 0);
    expectWhiteColour();
}

TEST_F(FontTest, BoldDrawsThickerStrokes) {
    std::unique_ptr<Font> font = loadFont(fullFont().columns, 16);
    FontProbe probe(*font);
    const int area = TestWindow::WIDTH * TestWindow::HEIGHT;
    probe.draw(colorWhite, Int2(10, 10), "!#&", Float2(4.0f), -1, false);
    const auto plain = TestWindow::read(0, 0, TestWindow::WIDTH, TestWindow::HEIGHT);
    TestWindow::clear();
    const Int2 boldPen = probe.draw(colorWhite, Int2(10, 10), "!#&", Float2(4.0f), -1, true);
    const auto bold = TestWindow::read(0, 0, TestWindow::WIDTH, TestWindow::HEIGHT);

    int plainInk = 0;
    int boldInk = 0;
    int lost = 0;
    for (int i = 0; i < area; ++i) {
        plainInk += plain[i].r > 128;
        boldInk += bold[i].r > 128;
        lost += plain[i].r > 128 && bold[i].r <= 128;
    }
    EXPECT_GT(plainInk, 0);
    EXPECT_EQ(lost, 0);                     // bold covers every stroke of the plain text...
    EXPECT_GT(boldInk, plainInk + 3 * 48);  // ...and widens each of the three by a column
    // Bold does not change the advance.
    EXPECT_EQ(boldPen.x(), probe.draw(colorWhite, Int2(10, 10), "!#&", Float2(4.0f)).x());
}

TEST_F(FontTest, WidthIsTheWidestLineOfFullCells) {
    std::unique_ptr<Font> font = loadFont(fullFont().columns);
    FontProbe probe(*font);
    auto cell = [](int code, float scale) { return int((inkWidthOf(code) + 4) * scale); };
    const int abc = cell('a', 1.5f) + cell('b', 1.5f) + cell('c', 1.5f);
    EXPECT_EQ(probe.width("abc", -1, 1.5f), abc);
    EXPECT_EQ(probe.width("ab\nabc", -1, 1.5f), abc);
    EXPECT_EQ(probe.width("abc\nab", -1, 1.5f), abc);
    EXPECT_EQ(probe.width("", -1, 1.5f), 0);
    EXPECT_EQ(probe.width("a b\t", -1, 1.5f), cell('a', 1.5f) + 9 + cell('b', 1.5f));
    EXPECT_EQ(probe.width("abc", 2, 1.0f), cell('a', 1.0f) + cell('b', 1.0f));
    EXPECT_EQ(probe.height(1.5f), 16);
    EXPECT_EQ(probe.height(0.975f), 10);
}

TEST_F(FontTest, WrappingOpensALineWhereAWordWouldReachTheLimit) {
    std::unique_ptr<Font> font = loadFont(fullFont().columns, 11);
    FontProbe probe(*font);
    const Float2 one(1.0f);
    const int first = probe.width("ab ", -1, 1.5f);
    const int second = probe.width("cd", -1, 1.5f);
    const Int2 pos(10, 20);

    // Ending exactly on the limit wraps; one pixel more room does not.
    Int2 pen = probe.drawWrapped(colorWhite, pos, "ab cd", first + second, one);
    EXPECT_EQ(pen.x(), 10 + second);
    EXPECT_EQ(pen.y(), 20 + 16);
    EXPECT_TRUE(TestWindow::anyLit(10, 36, second, 16));
    TestWindow::clear();
    pen = probe.drawWrapped(colorWhite, pos, "ab cd", first + second + 1, one);
    EXPECT_EQ(pen.x(), 10 + first + second);
    EXPECT_EQ(pen.y(), 20);
    EXPECT_FALSE(TestWindow::anyLit(0, 36, TestWindow::WIDTH, 40));

    // A newline moves the next word to the start of the following line.
    TestWindow::clear();
    pen = probe.drawWrapped(colorWhite, pos, "ab\ncd", 1000, one);
    EXPECT_EQ(pen.x(), 10 + second);
    EXPECT_EQ(pen.y(), 36);
    EXPECT_TRUE(TestWindow::anyLit(10, 36, 4, 16));
    EXPECT_TRUE(TestWindow::anyLit(10, 20, 4, 16));

    // A first word wider than the limit leaves the first line empty.
    TestWindow::clear();
    pen = probe.drawWrapped(colorWhite, pos, "abc", 5, one);
    EXPECT_EQ(pen.y(), 36);
    EXPECT_FALSE(TestWindow::anyLit(0, 20, TestWindow::WIDTH, 16));
    expectWhiteColour();
}

TEST_F(FontTest, NullTextEndsWithTheAssertionLine) {
    const std::string path = TestFont::file("fatal-font.png", fullFont().columns, 11);
    const std::regex fontAssertion("ASSERTION FAILED: [^\n]*Font_opengl\\.cpp:[0-9]+\n");
    for (const char* mode : {"null-text", "null-width"}) {
        const ChildResult run = runFatal(mode, path);
        EXPECT_EQ(run.exitStatus, 1) << mode;
        EXPECT_TRUE(std::regex_match(run.out, fontAssertion)) << mode << ": " << run.out;
    }
    const ChildResult missing = runFatal("font", path + ".missing");
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_EQ(missing.out.rfind("ERROR: " + path + ".missing\n", 0), 0u) << missing.out;
}

}  // namespace
