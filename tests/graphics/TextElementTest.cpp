#include <memory>
#include <string>
#include <vector>

#include "FontImages.h"
#include "FontProbe.h"
#include "GraphicsTest.h"
#include "TestPng.h"
#include "TextElement.h"

namespace {

// The dice roller's font parameters over a 16-pixel-high test image whose glyphs are
// two full-height columns, so every line is a solid band of ink.
class TextElementTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        font = std::make_unique<Font>(
            "test", TestFont::file("font.png", TestFont::regular(94, 2, 3, 512), 16), 1.5f, 6, 2);
    }
    std::unique_ptr<Font> font;
    const Color green{0, 255, 0, 255};
};

TEST_F(TextElementTest, NewElementDrawsAtTheOrigin) {
    TextElement element(font.get(), "!", 20, green);
    EXPECT_EQ(element.getPosition().x(), 0);
    EXPECT_EQ(element.getPosition().y(), 0);
    element.draw();
    const TestWindow::Box box = TestWindow::litBox();
    EXPECT_GE(box.left, 0);
    EXPECT_LE(box.left, 2);
    EXPECT_EQ(box.top, 0);
    const TestWindow::Pixel ink = TestWindow::at(box.left + 2, 5);
    EXPECT_EQ(ink.r, 0);
    EXPECT_GT(ink.g, 200);
    expectWhiteColour();
}

TEST_F(TextElementTest, SizeIsDividedByTwentyBeforeTheFontScale) {
    struct Case {
        float size;
        int space, line;
    };
    // Size 20: 1.5 in all, space 9, line trunc(16 * 1.5) = 24. Size 13: 0.65 * 1.5 is
    // just below 0.975 as a float, space trunc(5.85) = 5, line trunc(15.6) = 15.
    for (const Case& c : {Case{20, 9, 24}, Case{13, 5, 15}}) {
        SCOPED_TRACE(c.size);
        TestWindow::clear();
        TextElement glyph(font.get(), "!", c.size, green);
        glyph.draw();
        const TestWindow::Box alone = TestWindow::litBox();

        TestWindow::clear();
        TextElement spaced(font.get(), " !\n!", c.size, green);
        spaced.draw();
        const TestWindow::Box box = TestWindow::litBox();
        EXPECT_EQ(box.right - alone.right, c.space);
        EXPECT_EQ(box.top, 0);
        EXPECT_EQ(box.bottom, 2 * c.line - 1);

        // The element draws what the font draws at that scale, not bold.
        const auto drawn = TestWindow::read(0, 0, 64, 64);
        TestWindow::clear();
        FontProbe(*font).draw(green, Int2(0, 0), " !\n!", Float2(c.size / 20.0f));
        EXPECT_EQ(TestWindow::read(0, 0, 64, 64), drawn);
    }
}

TEST_F(TextElementTest, EveryLineStartsAtTheElementX) {
    TextElement element(font.get(), "!!!\n!\n!!", 20, green);
    element.setPosition(Int2(40, 10));
    EXPECT_EQ(element.getPosition().x(), 40);
    EXPECT_EQ(element.getPosition().y(), 10);
    element.draw();
    int firstLit[3];
    for (int line = 0; line < 3; ++line) {
        const auto row = TestWindow::read(0, 10 + line * 24 + 12, TestWindow::WIDTH, 1);
        firstLit[line] = -1;
        for (int x = 0; x < TestWindow::WIDTH && firstLit[line] < 0; ++x) {
            if (row[x].g > 0) {
                firstLit[line] = x;
            }
        }
    }
    EXPECT_GE(firstLit[0], 40);
    EXPECT_LE(firstLit[0], 42);
    EXPECT_EQ(firstLit[1], firstLit[0]);
    EXPECT_EQ(firstLit[2], firstLit[0]);
    EXPECT_FALSE(TestWindow::anyLit(0, 10 + 3 * 24, TestWindow::WIDTH, 20));
}

TEST_F(TextElementTest, ElementKeepsItsOwnCopyOfTheText) {
    char text[] = "!!\n!";
    TextElement element(font.get(), text, 20, green);
    text[0] = '\t';
    text[1] = '\0';
    element.draw();
    const auto drawn = TestWindow::read(0, 0, 64, 64);
    TestWindow::clear();
    TextElement fresh(font.get(), "!!\n!", 20, green);
    fresh.draw();
    EXPECT_EQ(TestWindow::read(0, 0, 64, 64), drawn);
    EXPECT_TRUE(TestWindow::anyLit(0, 24, 8, 24));
}

TEST_F(TextElementTest, NullTextEndsWithTheAssertionLine) {
    const std::string path = TestFont::file("fatal-font.png", TestFont::regular(94, 2, 3), 16);
    const ChildResult run = runFatal("null-element", path);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out.rfind("ASSERTION FAILED: ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("TextElement.cpp:"), std::string::npos) << run.out;
}

}  // namespace
