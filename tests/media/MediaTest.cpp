// The committed media, loaded through the library as the roller loads them: what its layout
// and drawing rely on in every face, button, the font image and the roll sound.
#include <AL/al.h>
#include <AL/alut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
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
    int luminance(int x, int y) const {
        return (at(x, y)[0] * 299 + at(x, y)[1] * 587 + at(x, y)[2] * 114) / 1000;
    }
    // Pixels of the rectangle with alpha above `minimum`.
    int count(int x0, int y0, int x1, int y1, int minimum = 0) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += at(x, y)[3] > minimum;
        return n;
    }
};

TEST(Media, EachFaceIsItsOwnSoftEdgedDieClearOfCornersCaptionAndHiddenQuarter) {
    for (int sides : {4, 6, 8, 10, 12, 20}) {
        std::set<std::vector<unsigned char>> seen;
        for (int value = 1; value <= sides; ++value) {
            const std::string path =
                "media/d" + std::to_string(sides) + "/" + std::to_string(value) + ".png";
            const Picture face(path);
            ASSERT_EQ(SIZE, face.width) << path;
            ASSERT_EQ(SIZE, face.height) << path;
            EXPECT_EQ(0, face.count(0, 0, 1, 1) + face.count(SIZE - 1, 0, SIZE, 1)) << path;
            EXPECT_EQ(0, face.count(0, VISIBLE, SIZE, SIZE))
                << path << ": overlaps the next grid row";
            EXPECT_EQ(0, face.count(0, 0, CAPTION_WIDTH, CAPTION_HEIGHT))
                << path << ": under the caption";
            EXPECT_GT(face.count(0, CAPTION_HEIGHT, SIZE, VISIBLE, 254),
                      SIZE * (VISIBLE - CAPTION_HEIGHT) / 5)
                << path;
            EXPECT_GT(face.count(0, 0, SIZE, SIZE) - face.count(0, 0, SIZE, SIZE, 254), 200)
                << path << ": no antialiasing";
            EXPECT_TRUE(seen.insert(face.rgba).second) << path << " repeats an earlier face";
        }
    }
}

TEST(Media, ButtonsHaveAnEvenLightCaptionStripAndAnIllustrationBelow) {
    for (const char* path :
         {"media/simple.png", "media/multi.png", "media/clear.png", "media/reroll.png"}) {
        const Picture button(path);
        ASSERT_EQ(SIZE, button.width) << path;
        ASSERT_EQ(SIZE, button.height) << path;
        EXPECT_EQ(0, button.count(0, VISIBLE, SIZE, SIZE)) << path;
        // The dark caption needs a light, even, opaque ground (clear of the rounded corner).
        int darkest = 255, lightest = 0;
        for (int y = 24; y < CAPTION_HEIGHT; ++y) {
            for (int x = 24; x < CAPTION_WIDTH; ++x) {
                ASSERT_EQ(button.at(x, y)[3], 255) << path << " at " << x << "," << y;
                darkest = std::min(darkest, button.luminance(x, y));
                lightest = std::max(lightest, button.luminance(x, y));
            }
        }
        EXPECT_GE(darkest, 200) << path;
        EXPECT_LE(lightest - darkest, 16) << path << ": something is drawn in the caption strip";
        EXPECT_GT(button.count(0, CAPTION_HEIGHT, SIZE, VISIBLE, 254), 0) << path;
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
        ASSERT_GE(probe.cellStart(c), 0) << char(c);
        ASSERT_GE(probe.cellWidth(c), 5) << char(c);
        EXPECT_LE(probe.cellStart(c) + probe.cellWidth(c), image.width) << char(c);
        EXPECT_TRUE(c == 126 ||
                    probe.cellStart(c) + probe.cellWidth(c) - 1 <= probe.cellStart(c + 1))
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

TEST(Media, RollSoundLastsAboutHalfASecondAndIsHeardUnclippedFromTheStart) {
    const std::unique_ptr<Sound> sound(app->getSoundManager()->loadSound(SOUND_FILE));
    ALint bytes = 0, frequency = 0, bits = 0, channels = 0;
    alGetBufferi(sound->getBufferID(), AL_SIZE, &bytes);
    alGetBufferi(sound->getBufferID(), AL_FREQUENCY, &frequency);
    alGetBufferi(sound->getBufferID(), AL_BITS, &bits);
    alGetBufferi(sound->getBufferID(), AL_CHANNELS, &channels);
    ASSERT_EQ(16, bits);
    const double seconds = double(bytes) / (frequency * 2 * channels);
    EXPECT_TRUE(seconds >= 0.3 && seconds <= 1.0) << seconds;

    ALenum format = 0;
    ALsizei size = 0;
    ALfloat rate = 0;
    void* data = alutLoadMemoryFromFile(SOUND_FILE, &format, &size, &rate);
    ASSERT_NE(data, nullptr);
    const int16_t* samples = static_cast<const int16_t*>(data);
    const size_t count = size_t(size) / 2, opening = size_t(rate * 0.02) * channels;
    int peak = 0;
    double sum = 0, openingEnergy = 0;
    for (size_t i = 0; i < count; ++i) {
        peak = std::max(peak, std::abs(int(samples[i])));
        sum += samples[i];
        openingEnergy += i < opening ? double(samples[i]) * samples[i] : 0;
    }
    free(data);
    EXPECT_LT(peak, 32767 * 0.98) << "clipped or at full scale";
    EXPECT_GT(peak, 32767 / 4) << "too quiet to be heard over the program";
    EXPECT_LT(std::fabs(sum / count), 32767 * 0.005) << "DC offset";
    EXPECT_GT(std::sqrt(openingEnergy / opening), 32767 * 0.05) << "the first 20 ms are silent";
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The media paths are relative, as the roller opens them from the source tree.
    if (chdir(getenv("TOVRIK_SOURCE_DIR") ? getenv("TOVRIK_SOURCE_DIR") : TOVRIK_TEST_SOURCE_DIR) !=
        0)
        return 1;
    app = new QuietApp(argv[0], "media tests", 640, 480);
    const int status = RUN_ALL_TESTS();
    delete app;
    return status;
}
