// The committed font image, as the roller's text relies on it.
#include <gtest/gtest.h>
#include <lodepng.h>

#include "FontProbe.h"
#include "QuietApp.h"

namespace {

struct Picture {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgba;

    explicit Picture(const std::string& name) {
        lodepng::decode(rgba, width, height, TOVRIK_TEST_SOURCE_DIR "/media/" + name + ".png");
    }
    const unsigned char* at(unsigned x, unsigned y) const { return &rgba[(y * width + x) * 4]; }
};

TEST(Media, FontImageHoldsAll94WhiteGlyphsApart) {
    const Picture image("default_font");
    // Sides are powers of two, as OpenGL 1.x textures need.
    for (const auto& [name, side] : {std::pair{"width", image.width}, {"height", image.height}}) {
        EXPECT_GT(side, 0u) << name;
        EXPECT_EQ(side & (side - 1), 0u) << name;
    }
    EXPECT_LE(image.height, 20u);
    int coloured = 0;  // ink that is not white: text would not show its colour
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        coloured += image.rgba[i + 3] != 0 &&
                    (image.rgba[i] & image.rgba[i + 1] & image.rgba[i + 2]) != 255;
    EXPECT_EQ(coloured, 0);
    const QuietApp app("/proc/self/exe", "media tests", 64, 64);  // the font needs a window
    const Font font("", TOVRIK_TEST_SOURCE_DIR "/media/default_font.png", 1.5f, 6, 2);
    const FontProbe probe(font);
    for (int c = 33; c <= 126; ++c) {
        // A cell reaches three columns past its ink; the next ink starts a column into its cell.
        SCOPED_TRACE(std::string(1, char(c)));
        EXPECT_GE(probe.cellWidth(c), 5);
        EXPECT_GE(probe.cellStart(c), 0);
        EXPECT_LE(probe.cellStart(c) + probe.cellWidth(c),
                  c == 126 ? int(image.width) : probe.cellStart(c + 1) + 1);
    }
}

}  // namespace
