// Drawing through the Display, read back from the frame being drawn (before its swap).
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Display.h"
#include "Harness.h"
#include "OpenGLApp.h"

namespace {

const Color BLACK(0, 0, 0, 255);
const Color WHITE(255, 255, 255, 255);
const Color RED(255, 0, 0, 255);

std::string str(const Color& c) {
    return "(" + std::to_string(c.r()) + ", " + std::to_string(c.g()) + ", " +
           std::to_string(c.b()) + ")";
}

bool isBlack(const Color& c) {
    return c.r() == 0 && c.g() == 0 && c.b() == 0;
}

bool near(const Color& c, int r, int g, int b) {
    return std::abs(c.r() - r) <= 1 && std::abs(c.g() - g) <= 1 && std::abs(c.b() - b) <= 1;
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
    Display* display = nullptr;
};

TEST_F(Drawing, ResizeAdoptsSizeViewportAndProjection) {
    EXPECT_EQ(Int2(800, 600), display->getWindowSize());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(800, viewport[2]);
    EXPECT_EQ(600, viewport[3]);

    // A line along the top edge lights the top row, whatever the size was before.
    display->drawLine(Int2(0, 0), Int2(799, 0), WHITE, 1);
    Frame frame;
    for (int x = 0; x < 799; x++) {
        ASSERT_FALSE(isBlack(frame.at(x, 0))) << "top row, x " << x;
        ASSERT_TRUE(isBlack(frame.at(x, 1))) << "second row, x " << x;
    }
}

TEST_F(Drawing, PrimitivesScaleChannelsByOne256thAndTheClearByOne255th) {
    display->clearScreen(RED);
    {
        Frame frame;
        EXPECT_TRUE(near(frame.at(400, 300), 255, 0, 0) && frame.at(400, 300).r() == 255)
            << str(frame.at(400, 300));
    }
    // 255 becomes 0.99609375 for colour and alpha alike: a white line over black blends to
    // 255 * 0.99609375^2 = 253, and a red one over white lets a trace of the white through.
    display->clearScreen(BLACK);
    display->drawLine(Int2(0, 100), Int2(799, 100), WHITE, 1);
    display->clearScreen(WHITE);
    display->drawLine(Int2(0, 200), Int2(799, 200), RED, 1);
    display->drawRoundedRectangle(Int2(300, 300), Int2(400, 400), RED, 10, 2, true);
    Frame frame;
    EXPECT_TRUE(near(frame.at(400, 200), 254, 1, 1)) << str(frame.at(400, 200));
    EXPECT_TRUE(near(frame.at(350, 350), 254, 1, 1)) << str(frame.at(350, 350));

    display->clearScreen(BLACK);
    display->drawLine(Int2(0, 100), Int2(799, 100), WHITE, 1);
    Frame overBlack;
    EXPECT_TRUE(near(overBlack.at(400, 100), 253, 253, 253)) << str(overBlack.at(400, 100));

    // Drawing leaves the current colour opaque white and texturing off.
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(1.0f, current[0]);
    EXPECT_EQ(1.0f, current[1]);
    EXPECT_EQ(1.0f, current[3]);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(Drawing, FilledRectangleCoversItsBoxWithYPointingDown) {
    display->drawRoundedRectangle(Int2(10, 10), Int2(20, 30), WHITE, 5, 1, true);
    Frame frame;
    for (int y = 0; y < 40; y++) {
        for (int x = 0; x < 30; x++) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 30;
            ASSERT_EQ(inside, !isBlack(frame.at(x, y))) << "x " << x << " y " << y;
        }
    }
}

TEST_F(Drawing, OutlinedRectangleLightsItsFourEdgesOnly) {
    display->drawRoundedRectangle(Int2(10, 10), Int2(20, 30), WHITE, 5, 1, false);
    Frame frame;
    const auto lit = [&](int x, int y) { return !isBlack(frame.at(x, y)); };
    for (int x = 11; x < 19; x++) {
        EXPECT_TRUE(lit(x, 10)) << "top edge, x " << x;
        EXPECT_TRUE(lit(x, 30)) << "bottom edge, x " << x;
    }
    for (int y = 11; y < 29; y++) {
        EXPECT_TRUE(lit(10, y)) << "left edge, y " << y;
        // Where the rasteriser puts a vertical edge on a pixel boundary is its own choice.
        EXPECT_TRUE(lit(19, y) || lit(20, y)) << "right edge, y " << y;
    }
    for (int y = 12; y < 29; y++) {
        for (int x = 12; x < 18; x++) {
            ASSERT_FALSE(lit(x, y)) << "inside, x " << x << " y " << y;
        }
    }
    EXPECT_FALSE(lit(5, 5));
    EXPECT_FALSE(lit(25, 35));
}

TEST_F(Drawing, OutlineUsesTheWidthOfTheLastLine) {
    display->drawLine(Int2(0, 500), Int2(799, 500), WHITE, 5);
    display->drawRoundedRectangle(Int2(100, 100), Int2(300, 200), WHITE, 0, 1, false);
    Frame frame;
    int litRows = 0;
    for (int y = 95; y < 106; y++) {
        litRows += isBlack(frame.at(200, y)) ? 0 : 1;
    }
    EXPECT_GE(litRows, 4);
}

TEST_F(Drawing, AlphaOfOneTenthOrLessDrawsNothing) {
    // 25 / 256 is below 0.1. Just above it the rasteriser's 8-bit precision decides, so the
    // visible case keeps a margin: 28 / 256.
    display->drawRoundedRectangle(Int2(10, 10), Int2(100, 100), Color(255, 255, 255, 25), 0, 1,
                                  true);
    display->drawLine(Int2(0, 200), Int2(799, 200), Color(255, 255, 255, 25), 3);
    display->drawRoundedRectangle(Int2(200, 10), Int2(300, 100), Color(255, 255, 255, 28), 0, 1,
                                  true);
    Frame frame;
    EXPECT_TRUE(isBlack(frame.at(50, 50))) << str(frame.at(50, 50));
    EXPECT_TRUE(isBlack(frame.at(400, 200))) << str(frame.at(400, 200));
    EXPECT_TRUE(near(frame.at(250, 50), 28, 28, 28)) << str(frame.at(250, 50));
}

TEST_F(Drawing, SizesWithNoWidthOrNoHeightAreIgnored) {
    const int resizesBefore = static_cast<int>(theApp().received.size());
    OpenGLApp_onResizeWindow(0, 600);
    OpenGLApp_onResizeWindow(-4, 600);
    OpenGLApp_onResizeWindow(800, 0);
    OpenGLApp_onResizeWindow(0, -1);
    EXPECT_EQ(resizesBefore + 4, static_cast<int>(theApp().received.size()));
    for (const Received& r : theApp().received) {
        EXPECT_EQ(Int2(800, 600), r.windowSize);
    }
    EXPECT_EQ(Int2(800, 600), display->getWindowSize());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(800, viewport[2]);
    EXPECT_EQ(600, viewport[3]);

    // The projection is untouched: the bottom row is still the last one.
    display->clearScreen(BLACK);
    display->drawLine(Int2(0, 599), Int2(799, 599), WHITE, 1);
    Frame frame;
    EXPECT_FALSE(isBlack(frame.at(400, 599)));
    EXPECT_TRUE(isBlack(frame.at(400, 598)));
}

}  // namespace
