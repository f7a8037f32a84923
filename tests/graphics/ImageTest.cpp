#include <regex>
#include <string>
#include <vector>

#include "GraphicsTest.h"
#include "Image.h"
#include "TestPng.h"

namespace {

using TestPng::Rgba;

struct DecodeCase {
    const char* name;
    LodePNGColorType type;
    unsigned depth;
    std::vector<unsigned char> raw;  // 4 x 1 pixels in the file's own layout
    std::vector<Rgba> palette;
    std::vector<unsigned char> rgba;  // what the image must hold
};

std::vector<DecodeCase> decodeCases() {
    return {
        {"grey",
         LCT_GREY,
         8,
         {0, 50, 128, 255},
         {},
         {0, 0, 0, 255, 50, 50, 50, 255, 128, 128, 128, 255, 255, 255, 255, 255}},
        {"grey+alpha",
         LCT_GREY_ALPHA,
         8,
         {10, 0, 60, 64, 200, 128, 255, 255},
         {},
         {10, 10, 10, 0, 60, 60, 60, 64, 200, 200, 200, 128, 255, 255, 255, 255}},
        {"palette",
         LCT_PALETTE,
         8,
         {2, 0, 1, 2},
         {{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 0}},
         {0, 0, 255, 0, 255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0}},
        {"rgb",
         LCT_RGB,
         8,
         {1, 2, 3, 40, 50, 60, 200, 100, 0, 255, 255, 255},
         {},
         {1, 2, 3, 255, 40, 50, 60, 255, 200, 100, 0, 255, 255, 255, 255, 255}},
        // 16-bit samples are big-endian; the high byte survives.
        {"grey 16-bit",
         LCT_GREY,
         16,
         {0x12, 0x34, 0x00, 0xff, 0xff, 0x00, 0x80, 0x80},
         {},
         {0x12, 0x12, 0x12, 255, 0, 0, 0, 255, 0xff, 0xff, 0xff, 255, 0x80, 0x80, 0x80, 255}},
        {"rgb 16-bit",
         LCT_RGB,
         16,
         {0xab, 0xcd, 0x00, 0x01, 0xff, 0xff, 0x10, 0,    0x20, 0,    0x30, 0,
          0,    0,    0,    0,    0,    0,    0x7f, 0xff, 0x80, 0x00, 0x01, 0x00},
         {},
         {0xab, 0x00, 0xff, 255, 0x10, 0x20, 0x30, 255, 0, 0, 0, 255, 0x7f, 0x80, 0x01, 255}},
    };
}

// An 8 x 8 picture whose every pixel differs: red follows the column, green the row.
const int SIDE = 8;
Rgba patternPixel(int x, int y) {
    return {static_cast<unsigned char>(x * 32), static_cast<unsigned char>(y * 32), 128, 255};
}
std::vector<unsigned char> patternPng() {
    std::vector<Rgba> pixels;
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            pixels.push_back(patternPixel(x, y));
        }
    }
    return TestPng::encodeRgba(pixels, SIDE, SIDE);
}

// Checks that the rectangle at (left, top) shows the pattern at its own size, scaled by
// `factor` per channel; `repeat` copies side by side.
void expectPattern(int left, int top, float factor, int repeat = 1) {
    const std::vector<TestWindow::Pixel> got = TestWindow::read(left, top, SIDE * repeat, SIDE);
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE * repeat; ++x) {
            const Rgba want = patternPixel(x % SIDE, y);
            const std::string where = "pixel " + std::to_string(x) + "," + std::to_string(y);
            expectNear(got[size_t(y) * SIDE * repeat + x], int(want.r * factor + 0.5f),
                       int(want.g * factor + 0.5f), int(want.b * factor + 0.5f), where.c_str());
        }
    }
}

class ImageTest : public GraphicsTest {};

TEST_F(ImageTest, EveryColourTypeAndDepthDecodesToEightBitRgba) {
    for (DecodeCase& c : decodeCases()) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> png = TestPng::encode(c.raw, 4, 1, c.type, c.depth, c.palette);
        LodePNGColorType type;
        unsigned depth = 0;
        TestPng::inspect(png, &type, &depth);
        ASSERT_EQ(type, c.type);  // the file really is of the kind under test
        ASSERT_EQ(depth, c.depth);

        Image image(png.data(), png.size());
        EXPECT_EQ(image.size().x(), 4);
        EXPECT_EQ(image.size().y(), 1);
        EXPECT_NE(image.getIdTexture(), 0);
        ASSERT_NE(image.getDataPixels(), nullptr);
        const std::vector<unsigned char> pixels(image.getDataPixels(), image.getDataPixels() + 16);
        EXPECT_EQ(pixels, c.rgba);
    }
}

TEST_F(ImageTest, WholeTextureAndFullWindowFragmentDrawTheSameUprightPixels) {
    std::vector<unsigned char> png = patternPng();
    Image image(png.data(), png.size());

    Texture::drawTexture(image.getIdTexture(), 20, 30, SIDE, SIDE);
    // The file's first row is on top: row 0 of the rectangle has green 0.
    expectPattern(20, 30, 1.0f);
    const auto whole = TestWindow::read(20, 30, SIDE, SIDE);
    EXPECT_FALSE(TestWindow::anyLit(0, 0, 20, TestWindow::HEIGHT));
    EXPECT_FALSE(TestWindow::anyLit(20, 38, SIDE, 10));

    TestWindow::clear();
    Texture::drawFragmentOfTexture(image.getIdTexture(), 20, 30, 0, 0, 1, 1, SIDE, SIDE);
    EXPECT_EQ(TestWindow::read(20, 30, SIDE, SIDE), whole);
}

TEST_F(ImageTest, FragmentWindowBeyondOneRepeatsTheImage) {
    std::vector<unsigned char> png = patternPng();
    Image image(png.data(), png.size());
    Texture::drawFragmentOfTexture(image.getIdTexture(), 10, 10, 0, 0, 2, 1, 2 * SIDE, SIDE);
    expectPattern(10, 10, 1.0f, 2);
}

TEST_F(ImageTest, FragmentShowsOnlyItsWindowStretched) {
    std::vector<unsigned char> png = patternPng();
    Image image(png.data(), png.size());
    // Columns 4 to 7, rows 0 to 3, doubled: 8 x 8 screen pixels from a 4 x 4 window.
    Texture::drawFragmentOfTexture(image.getIdTexture(), 40, 40, 0.5f, 0, 1, 0.5f, SIDE, SIDE);
    // Pixel i samples texel coordinate 4 + (i + 0.5) / 2; texel k (value 32 k) has its
    // centre at k + 0.5, and between centres the filter interpolates linearly.
    const auto got = TestWindow::read(40, 40, SIDE, SIDE);
    for (int j = 1; j < SIDE - 1; ++j) {
        for (int i = 1; i < SIDE - 1; ++i) {
            const float u = 4 + (i + 0.5f) / 2;
            const float v = (j + 0.5f) / 2;
            expectNear(got[j * SIDE + i], int(32 * (u - 0.5f)), int(32 * (v - 0.5f)), 128, "window",
                       3);
        }
    }
}

TEST_F(ImageTest, TintMultipliesTheTexelsAndResetRestoresWhite) {
    std::vector<unsigned char> png = patternPng();
    Image image(png.data(), png.size());

    Texture::setColor(Color(255, 0, 0, 255));
    Texture::drawTexture(image.getIdTexture(), 0, 0, SIDE, SIDE);
    Texture::resetColor();
    expectWhiteColour();
    const auto red = TestWindow::read(0, 0, SIDE, SIDE);
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            expectNear(red[y * SIDE + x], x * 32, 0, 0, "red tint");
        }
    }

    // Half the opacity over black: every channel halves.
    TestWindow::clear();
    Texture::setColor(Color(255, 255, 255, 128));
    Texture::drawTexture(image.getIdTexture(), 0, 0, SIDE, SIDE);
    Texture::resetColor();
    expectPattern(0, 0, 128 / 255.0f);

    // At alpha 0.1 or below, fragments are discarded.
    TestWindow::clear();
    Texture::setColor(Color(255, 255, 255, 25));
    Texture::drawTexture(image.getIdTexture(), 0, 0, SIDE, SIDE);
    Texture::resetColor();
    EXPECT_FALSE(TestWindow::anyLit(0, 0, SIDE, SIDE));
}

TEST_F(ImageTest, OnePixelImageFillsAnySize) {
    std::vector<unsigned char> png = TestPng::solid(1, 1, {30, 200, 90, 255});
    Image image(png.data(), png.size());
    Texture::drawTexture(image.getIdTexture(), 10, 20, 50, 40);
    for (const TestWindow::Pixel& p : TestWindow::read(10, 20, 50, 40)) {
        expectNear(p, 30, 200, 90, "inside");
    }
    EXPECT_FALSE(TestWindow::anyLit(9, 20, 1, 40));
    EXPECT_FALSE(TestWindow::anyLit(60, 20, 1, 40));
    EXPECT_FALSE(TestWindow::anyLit(10, 60, 50, 1));
}

TEST_F(ImageTest, FreeingThePixelsKeepsTextureAndSize) {
    std::vector<unsigned char> png = patternPng();
    Image image(png.data(), png.size());
    ASSERT_NE(image.getDataPixels(), nullptr);
    image.freeUselessMemory();
    EXPECT_EQ(image.getDataPixels(), nullptr);
    image.freeUselessMemory();
    EXPECT_EQ(image.getDataPixels(), nullptr);
    EXPECT_EQ(image.size().x(), SIDE);
    Texture::drawTexture(image.getIdTexture(), 5, 5, SIDE, SIDE);
    expectPattern(5, 5, 1.0f);

    // An image made by size has pixels to fill and no texture.
    Image blank(3, 5);
    EXPECT_EQ(blank.size().x(), 3);
    EXPECT_EQ(blank.size().y(), 5);
    EXPECT_EQ(blank.getIdTexture(), 0);
    ASSERT_NE(blank.getDataPixels(), nullptr);
    blank.getDataPixels()[3 * 5 * 4 - 1] = 7;  // the last byte belongs to the image
}

TEST_F(ImageTest, BytesThatAreNotAPngEndWithTheAssertionLine) {
    const std::regex assertion("ASSERTION FAILED: [^\n]*Image\\.cpp:[0-9]+\n");
    std::vector<unsigned char> png = patternPng();
    const std::vector<std::vector<unsigned char>> bad = {
        {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0},
        std::vector<unsigned char>(png.begin(), png.begin() + png.size() / 2),
        {},
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        const ChildResult run = runFatal("image", TestPng::writeFile("bad.png", bad[i]));
        EXPECT_EQ(run.exitStatus, 1) << "case " << i;
        EXPECT_TRUE(std::regex_match(run.out, assertion)) << "case " << i << ": " << run.out;
    }
    const ChildResult negative = runFatal("negative-size", "-");
    EXPECT_EQ(negative.exitStatus, 1);
    EXPECT_TRUE(std::regex_match(negative.out, assertion)) << negative.out;
}

}  // namespace
