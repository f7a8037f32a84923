// The committed media, loaded through the library as the roller loads them: what its layout
// and drawing rely on in every face, button, the font image and the roll sound.
#include <AL/al.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "FontProbe.h"
#include "Image.h"
#include "QuietApp.h"
#include "Sound.h"
#include "SoundManager.h"
#include "Utils.h"

namespace {

const char* const FONT_FILE = "media/default_font.png";
const char* const SOUND_FILE = "media/44061__marnik__dicewood.wav";
// Pictures are 512 x 512, shown through their top 384 rows; a button's caption covers the
// strip at the top left.
const int SIZE = 512, VISIBLE = 384, CAPTION_WIDTH = 480, CAPTION_HEIGHT = 104;

QuietApp* app = nullptr;

// A picture decoded by the library's Image, its pixels copied out.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;

    explicit Picture(const std::string& path) {
        unsigned long fileSize = 0;
        unsigned char* bytes = Utils::readFileIntoNewBuffer(path, &fileSize);
        Image image(bytes, fileSize);
        delete[] bytes;
        width = image.size().x();
        height = image.size().y();
        rgba.assign(image.getDataPixels(), image.getDataPixels() + size_t(width) * height * 4);
    }
    const unsigned char* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
    // Pixels of the rectangle with alpha above `minimum`.
    int count(int x0, int y0, int x1, int y1, int minimum = 0) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += at(x, y)[3] > minimum;
        return n;
    }
};

TEST(Media, FacesAndButtonsFillTheirVisiblePartAndLeaveTheRestClear) {
    std::vector<std::string> paths = {"simple", "multi", "clear", "reroll"};
    for (int sides : {4, 6, 8, 10, 12, 20})
        for (int value = 1; value <= sides; ++value)
            paths.push_back("d" + std::to_string(sides) + "/" + std::to_string(value));
    std::set<std::vector<unsigned char>> seen;
    for (const std::string& name : paths) {
        const Picture picture("media/" + name + ".png");
        const bool button = name[0] != 'd';
        ASSERT_EQ(Int2(SIZE, SIZE), Int2(picture.width, picture.height)) << name;
        EXPECT_EQ(0, picture.count(0, VISIBLE, SIZE, SIZE)) << name << ": overlaps the next row";
        EXPECT_GT(picture.count(0, CAPTION_HEIGHT, SIZE, VISIBLE, 254),
                  button ? 0 : SIZE * (VISIBLE - CAPTION_HEIGHT) / 5)
            << name;
        EXPECT_TRUE(seen.insert(picture.rgba).second) << name << " repeats an earlier picture";
        // A face leaves the caption strip clear; a button lays an even, light, opaque ground
        // there for its dark caption (inside its rounded corner).
        for (int y = 24; y < CAPTION_HEIGHT; ++y) {
            for (int x = 24; x < CAPTION_WIDTH; ++x) {
                const unsigned char* p = picture.at(x, y);
                ASSERT_EQ(p[3], button ? 255 : 0) << name << " at " << x << "," << y;
                ASSERT_TRUE(!button || std::min({p[0], p[1], p[2]}) >= 200) << name;
            }
        }
    }
}

TEST(Media, FontImageHoldsAll94WhiteGlyphsApartOnOneBaseline) {
    const Picture image(FONT_FILE);
    EXPECT_TRUE(image.width > 0 && (image.width & (image.width - 1)) == 0) << image.width;
    EXPECT_TRUE((image.height & (image.height - 1)) == 0 && image.height <= 20) << image.height;
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        ASSERT_TRUE(image.rgba[i + 3] == 0 ||
                    (image.rgba[i] & image.rgba[i + 1] & image.rgba[i + 2]) == 255)
            << "pixel " << i / 4 << " is not white: text would not show its colour";

    const Font font("Segoe UI Symbol", FONT_FILE, 1.5f, 6, 2);
    const FontProbe probe(font);
    for (int c = 33; c <= 126; ++c) {
        // A cell reaches three columns past its ink; the next ink starts a column into its cell.
        ASSERT_GE(probe.cellWidth(c), 5) << char(c);
        EXPECT_TRUE(probe.cellStart(c) >= 0 &&
                    probe.cellStart(c) + probe.cellWidth(c) <=
                        (c == 126 ? image.width : probe.cellStart(c + 1) + 1))
            << char(c);
    }
    // The lowest solid row of letters and digits without descenders.
    auto bottomRow = [&](char c) {
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = probe.cellStart(c) + 1; x <= probe.cellStart(c) + probe.cellWidth(c) - 4;
                 ++x)
                if (image.at(x, y)[3] >= 128)
                    return y;
        return -1;
    };
    const int baseline = bottomRow('H');
    EXPECT_GT(baseline, image.height / 2);
    for (char c : std::string("ABDEFHIKLMNRTXZbdhiklmnrxz1247"))
        EXPECT_EQ(bottomRow(c), baseline) << "glyph '" << c << "'";
    EXPECT_GT(bottomRow('g'), baseline);  // descenders go below it
}

TEST(Media, RollSoundLastsAboutHalfASecondAndIsHeardUnclipped) {
    const std::unique_ptr<Sound> sound(app->getSoundManager()->loadSound(SOUND_FILE));
    ALint bytes = 0, frequency = 0, bits = 0, channels = 0;
    alGetBufferi(sound->getBufferID(), AL_SIZE, &bytes);
    alGetBufferi(sound->getBufferID(), AL_FREQUENCY, &frequency);
    alGetBufferi(sound->getBufferID(), AL_BITS, &bits);
    alGetBufferi(sound->getBufferID(), AL_CHANNELS, &channels);
    ASSERT_EQ(16, bits);
    const double seconds = double(bytes) / (frequency * 2 * channels);
    EXPECT_TRUE(seconds >= 0.3 && seconds <= 1.0) << seconds;
    // The samples follow the 44-byte header of the file.
    unsigned long size = 0;
    unsigned char* file = Utils::readFileIntoNewBuffer(SOUND_FILE, &size);
    int peak = 0;
    for (unsigned long i = 44; i + 1 < size; i += 2)
        peak = std::max(peak, std::abs(int(int16_t(file[i] | file[i + 1] << 8))));
    delete[] file;
    EXPECT_LT(peak, 32767 * 0.98) << "clipped or at full scale";
    EXPECT_GT(peak, 32767 / 4) << "too quiet to be heard over the program";
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The media paths are relative, as the roller opens them from the source tree.
    if (chdir(getenv("TOVRIK_SOURCE_DIR") ? getenv("TOVRIK_SOURCE_DIR") : TOVRIK_TEST_SOURCE_DIR) !=
        0)
        return 1;
    app = new QuietApp(argv[0], "media tests", 64, 64);
    return RUN_ALL_TESTS();
}
