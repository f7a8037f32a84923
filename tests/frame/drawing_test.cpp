// Drawing through the Display, read back from the frame being drawn (before its swap).
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "Display.h"
#include "FrameReader.h"
#include "Harness.h"
#include "OpenGLApp.h"

namespace {

const Color BLACK(0, 0, 0, 255);
const Color WHITE(255, 255, 255, 255);
const Color RED(255, 0, 0, 255);

bool lit(const Rgba& c) {
    return c.r || c.g || c.b;
}

// Within one step of the channels.
bool near(const Rgba& c, int r, int g, int b) {
    return std::abs(c.r - r) <= 1 && std::abs(c.g - g) <= 1 && std::abs(c.b - b) <= 1;
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        theApp().reset();
        ASSERT_TRUE(resizeWindow(800, 600));
        display = theApp().getDisplay();
        display->clearScreen(BLACK);
    }
    void TearDown() override {
        // Leave no thick line behind for the next test's outlines.
        display->drawLine(Int2(0, 0), Int2(0, 0), BLACK, 1);
    }
    void expectViewport(int width, int height) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(width, viewport[2]);
        EXPECT_EQ(height, viewport[3]);
    }
    // Rows `lit` is lit and `dark` is not, all along, after a line along row `lit`.
    void expectOnlyRowLit(int litRow, int darkRow) {
        display->drawLine(Int2(0, litRow), Int2(799, litRow), WHITE, 1);
        const FrameRect frame = readFrame();
        for (int x = 0; x < 799; x++) {
            ASSERT_TRUE(lit(frame.at(x, litRow))) << "x " << x;
            ASSERT_FALSE(lit(frame.at(x, darkRow))) << "x " << x;
        }
    }
    Display* display = nullptr;
};

TEST_F(Drawing, ResizeAdoptsSizeViewportAndProjection) {
    EXPECT_EQ(Int2(800, 600), display->getWindowSize());
    expectViewport(800, 600);
    expectOnlyRowLit(0, 1);
}

// Sizes with no width or no height reach the handler but change nothing.
TEST_F(Drawing, SizesWithNoWidthOrNoHeightAreIgnored) {
    const Int2 sizes[] = {{0, 600}, {-4, 600}, {800, 0}, {0, -1}};
    for (const Int2& size : sizes) {
        OpenGLApp_onResizeWindow(size.x(), size.y());
    }
    ASSERT_EQ(4u, theApp().received.size());
    for (const Received& r : theApp().received) {
        EXPECT_EQ(Int2(800, 600), r.windowSize);
    }
    EXPECT_EQ(Int2(800, 600), display->getWindowSize());
    expectViewport(800, 600);
    expectOnlyRowLit(599, 598);
}

// 255 becomes 0.99609375 for colour and alpha alike in primitives, exactly 1 in the clear:
// a white line over black blends to 255 * 0.99609375^2 = 253, and a red one over white
// lets a trace of the white through. Alpha of 1/10 or less draws nothing (28/256 keeps a
// margin from the rasteriser's 8-bit precision).
TEST_F(Drawing, PrimitivesScaleChannelsByOne256thAndTheClearByOne255th) {
    display->clearScreen(RED);
    EXPECT_EQ(Rgba({255, 0, 0, 255}), readPixel(400, 300));
    display->clearScreen(BLACK);
    display->drawLine(Int2(0, 100), Int2(799, 100), WHITE, 1);
    display->drawRoundedRectangle(Int2(10, 10), Int2(100, 90), Color(255, 255, 255, 25), 0, 1,
                                  true);
    display->drawLine(Int2(0, 200), Int2(799, 200), Color(255, 255, 255, 25), 3);
    display->drawRoundedRectangle(Int2(200, 10), Int2(300, 90), Color(255, 255, 255, 28), 0, 1,
                                  true);
    const FrameRect overBlack = readFrame();
    display->clearScreen(WHITE);
    display->drawLine(Int2(0, 200), Int2(799, 200), RED, 1);
    display->drawRoundedRectangle(Int2(300, 300), Int2(400, 400), RED, 10, 2, true);
    const FrameRect overWhite = readFrame();
    const struct {
        const FrameRect& frame;
        int x, y, r, g, b;
    } cases[] = {{overBlack, 400, 100, 253, 253, 253}, {overBlack, 50, 50, 0, 0, 0},
                 {overBlack, 400, 200, 0, 0, 0},       {overBlack, 250, 50, 28, 28, 28},
                 {overWhite, 400, 200, 254, 1, 1},     {overWhite, 350, 350, 254, 1, 1}};
    for (const auto& c : cases) {
        EXPECT_TRUE(near(c.frame.at(c.x, c.y), c.r, c.g, c.b))
            << c.x << ", " << c.y << ": " << testing::PrintToString(c.frame.at(c.x, c.y));
    }
    // Drawing leaves the current colour opaque white and texturing off.
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(1.0f, current[0] * current[1] * current[3]);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

// Filled: exactly its box, y pointing down. Outlined: its four edges only, as thick as
// the last line drawn.
TEST_F(Drawing, RectanglesFilledAndOutlined) {
    display->drawRoundedRectangle(Int2(10, 10), Int2(20, 30), WHITE, 5, 1, true);
    display->drawRoundedRectangle(Int2(110, 10), Int2(120, 30), WHITE, 5, 1, false);
    display->drawLine(Int2(0, 500), Int2(799, 500), WHITE, 5);
    display->drawRoundedRectangle(Int2(300, 100), Int2(500, 200), WHITE, 0, 1, false);
    const FrameRect frame = readFrame();
    for (int y = 0; y < 40; y++) {
        for (int x = 0; x < 30; x++) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 30;
            ASSERT_EQ(inside, lit(frame.at(x, y))) << "x " << x << " y " << y;
        }
    }
    const auto outline = [&](int x, int y) { return lit(frame.at(100 + x, y)); };
    for (int x = 11; x < 19; x++) {
        EXPECT_TRUE(outline(x, 10) && outline(x, 30)) << "x " << x;
    }
    for (int y = 11; y < 29; y++) {
        // Where the rasteriser puts the right edge on a pixel boundary is its own choice.
        EXPECT_TRUE(outline(10, y) && (outline(19, y) || outline(20, y))) << "y " << y;
        for (int x = 12; x < 18 && y > 11; x++) {
            ASSERT_FALSE(outline(x, y)) << "inside, x " << x << " y " << y;
        }
    }
    EXPECT_FALSE(outline(5, 5) || outline(25, 35));
    int litRows = 0;
    for (int y = 95; y < 106; y++) {
        litRows += lit(frame.at(400, y));
    }
    EXPECT_GE(litRows, 4);
}

}  // namespace
