#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Process.h"
#include "TestWindow.h"
#include "Texture.h"

// Every test starts on a black window with the library's opaque white current colour.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestWindow::open();
        TestWindow::clear();
        Texture::resetColor();
    }
};

// Pixel channels after filtering and blending may differ by a rounding step or two.
inline void expectNear(const TestWindow::Pixel& got, int r, int g, int b, const char* where,
                       int tolerance = 2) {
    EXPECT_NEAR(got.r, r, tolerance) << where;
    EXPECT_NEAR(got.g, g, tolerance) << where;
    EXPECT_NEAR(got.b, b, tolerance) << where;
}

inline void expectWhiteColour() {
    const auto colour = TestWindow::currentColour();
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);
}

// The fatal-path helper (graphics_fatal.cpp) run in a child: what it printed and its status.
inline ChildResult runFatal(const std::string& mode, const std::string& path) {
    return runProgram({GRAPHICS_FATAL_HELPER, mode, path});
}
