// The committed media, as the roller's layout and drawing rely on them: every face and
// button, and the font image.
#include <gtest/gtest.h>
#include <lodepng.h>

#include <set>

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

// Pictures are 512 x 512, shown through their top 384 rows; a button lays an even, light,
// opaque ground for its dark caption in the strip at the top left, which a face leaves clear.
TEST(Media, FacesAndButtonsAreDistinctAndLeaveTheRestClear) {
    std::vector<std::string> names = {"simple", "multi", "clear", "reroll"};
    for (int sides : {4, 6, 8, 10, 12, 20})
        for (int value = 1; value <= sides; ++value)
            names.push_back("d" + std::to_string(sides) + "/" + std::to_string(value));
    std::set<std::vector<unsigned char>> seen;
    for (const std::string& name : names) {
        const Picture picture(name);
        ASSERT_TRUE(picture.width == 512 && picture.height == 512) << name;
        const bool button = name[0] != 'd';
        int stray = 0;  // pixels against those rules
        for (unsigned y = 0; y < 512; ++y) {
            for (unsigned x = 0; x < 512; ++x) {
                const unsigned char* p = picture.at(x, y);
                stray +=
                    (y >= 384 && p[3] > 0) || (x >= 24 && x < 480 && y >= 24 && y < 104 &&
                                               (p[3] != (button ? 255 : 0) ||
                                                (button && std::min({p[0], p[1], p[2]}) < 200)));
            }
        }
        EXPECT_EQ(stray, 0) << name;
        EXPECT_TRUE(seen.insert(picture.rgba).second) << name << " repeats an earlier picture";
    }
}

TEST(Media, FontImageHoldsAll94WhiteGlyphsApart) {
    const Picture image("default_font");
    // Sides are powers of two, as OpenGL 1.x textures need.
    EXPECT_TRUE(image.width > 0 && (image.width & (image.width - 1)) == 0) << image.width;
    EXPECT_TRUE((image.height & (image.height - 1)) == 0 && image.height <= 20) << image.height;
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        ASSERT_TRUE(image.rgba[i + 3] == 0 ||
                    (image.rgba[i] & image.rgba[i + 1] & image.rgba[i + 2]) == 255)
            << "pixel " << i / 4 << " is not white: text would not show its colour";
    const QuietApp app("/proc/self/exe", "media tests", 64, 64);  // the font needs a window
    const Font font("", TOVRIK_TEST_SOURCE_DIR "/media/default_font.png", 1.5f, 6, 2);
    const FontProbe probe(font);
    for (int c = 33; c <= 126; ++c) {
        // A cell reaches three columns past its ink; the next ink starts a column into its cell.
        EXPECT_TRUE(probe.cellWidth(c) >= 5 && probe.cellStart(c) >= 0 &&
                    probe.cellStart(c) + probe.cellWidth(c) <=
                        (c == 126 ? int(image.width) : probe.cellStart(c + 1) + 1))
            << char(c);
    }
}

}  // namespace
