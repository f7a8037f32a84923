// Drawing through the Display, read back from the frame being drawn (before its swap).
#include <gtest/gtest.h>

#include <cstdlib>

#include "FrameReader.h"
#include "Harness.h"
#include "OpenGLApp.h"

namespace {

bool lit(const Rgba& c) {
    return c.r || c.g || c.b;
}

class Drawing : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(resizeWindow(800, 600));
        display->clearScreen(colorBlack);
    }
    // Leave no thick line behind for the next test's outlines.
    void TearDown() override { display->drawLine(Int2(0, 0), Int2(0, 0), colorBlack, 1); }
    Display* display = theApp().getDisplay();
};

// Sizes with no width or no height change nothing: the size, the viewport and a projection
// with y pointing down (rows 0 and 599 drawn) stay those of the last real size.
TEST_F(Drawing, ResizeAdoptsSizeViewportAndProjectionAndIgnoresEmptySizes) {
    for (const Int2& size : {Int2(0, 600), Int2(-4, 600), Int2(800, 0), Int2(0, -1)})
        OpenGLApp_onResizeWindow(size.x(), size.y());
    EXPECT_EQ(Int2(800, 600), display->getWindowSize());
    display->drawLine(Int2(0, 0), Int2(799, 0), colorWhite, 1);
    display->drawLine(Int2(0, 599), Int2(799, 599), colorWhite, 1);
    const FrameRect frame = readFrame();
    for (const auto& [row, drawn] : {std::pair{0, true}, {1, false}, {598, false}, {599, true}}) {
        int litPixels = 0;
        for (int x = 0; x < 799; x++)
            litPixels += lit(frame.at(x, row));
        EXPECT_EQ(litPixels, drawn ? 799 : 0) << "row " << row;
    }
}

// 255 becomes 0.99609375 for colour and alpha alike in primitives, exactly 1 in the clear:
// a yellow line over black blends to 255 * 0.99609375^2 = 253, and a red one over white
// lets a trace of the white through. Alpha of 1/10 or less draws nothing (28/256 keeps a
// margin from the rasteriser's 8-bit precision).
TEST_F(Drawing, PrimitivesScaleChannelsByOne256thAndTheClearByOne255th) {
    display->clearScreen(colorRed);
    EXPECT_EQ(Rgba({255, 0, 0, 255}), readPixel(400, 300));
    display->clearScreen(colorBlack);
    display->drawLine(Int2(0, 100), Int2(799, 100), colorYellow, 1);
    display->drawRoundedRectangle(Int2(10, 10), Int2(100, 90), Color(255, 255, 255, 25), 0, 1,
                                  true);
    display->drawLine(Int2(0, 200), Int2(799, 200), Color(255, 255, 255, 25), 3);
    display->drawRoundedRectangle(Int2(200, 10), Int2(300, 90), Color(255, 255, 255, 28), 0, 1,
                                  true);
    const FrameRect overBlack = readFrame();
    display->clearScreen(colorWhite);
    display->drawLine(Int2(0, 200), Int2(799, 200), colorRed, 1);
    display->drawRoundedRectangle(Int2(300, 300), Int2(400, 400), colorRed, 10, 2, true);
    const FrameRect overWhite = readFrame();
    const struct {
        const FrameRect& frame;
        int x, y, r, g, b;
    } cases[] = {{overBlack, 400, 100, 253, 253, 0}, {overBlack, 50, 50, 0, 0, 0},
                 {overBlack, 400, 200, 0, 0, 0},     {overBlack, 250, 50, 28, 28, 28},
                 {overWhite, 400, 200, 254, 1, 1},   {overWhite, 350, 350, 254, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        const Rgba got = c.frame.at(c.x, c.y);
        EXPECT_NEAR(got.r, c.r, 1);
        EXPECT_NEAR(got.g, c.g, 1);
        EXPECT_NEAR(got.b, c.b, 1);
    }
}

// Filled: exactly its box. Outlined: its four edges only, as thick as the last line drawn.
TEST_F(Drawing, RectanglesFilledAndOutlined) {
    display->drawRoundedRectangle(Int2(10, 10), Int2(20, 30), colorWhite, 5, 1, true);
    display->drawRoundedRectangle(Int2(110, 10), Int2(120, 30), colorWhite, 5, 1, false);
    display->drawLine(Int2(0, 500), Int2(799, 500), colorWhite, 5);
    display->drawRoundedRectangle(Int2(300, 100), Int2(500, 200), colorWhite, 0, 1, false);
    const FrameRect frame = readFrame();
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 30; x++)
            ASSERT_EQ(x >= 10 && x < 20 && y >= 10 && y < 30, lit(frame.at(x, y)))
                << x << ", " << y;
    // Each edge's middle lit, the inside dark; the rasteriser picks column 119 or 120 for
    // the right edge.
    const std::tuple<const char*, bool, bool> outline[] = {
        {"top", lit(frame.at(115, 10)), true},
        {"bottom", lit(frame.at(115, 30)), true},
        {"left", lit(frame.at(110, 20)), true},
        {"right", lit(frame.at(119, 20)) || lit(frame.at(120, 20)), true},
        {"inside", lit(frame.at(115, 20)), false}};
    for (const auto& [name, got, want] : outline)
        EXPECT_EQ(got, want) << name;
    int litRows = 0;
    for (int y = 95; y < 106; y++)
        litRows += lit(frame.at(400, y));
    EXPECT_GE(litRows, 4);
}

}  // namespace
