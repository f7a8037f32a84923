// The committed media, loaded through the library the way the roller loads them: every
// picture as a sprite and an image, the font image as the default font, the roll sound
// through the sound manager. Checks what the roller's layout and drawing rely on.
#include <AL/al.h>
#include <AL/alut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Font.h"
#include "FontProbe.h"
#include "Image.h"
#include "MainClass.h"
#include "Sound.h"
#include "SoundManager.h"
#include "Sprite.h"
#include "Utils.h"

namespace {

const int DIE_TYPES[] = {4, 6, 8, 10, 12, 20};
const char* const BUTTONS[] = {"media/simple.png", "media/multi.png", "media/clear.png",
                               "media/reroll.png"};
const char* const FONT_FILE = "media/default_font.png";
const char* const SOUND_FILE = "media/44061__marnik__dicewood.wav";

// Picture layout: 512 x 512, shown through its top 512 x 384; the caption a button draws
// in its top-left corner covers this strip of the picture.
const int SIZE = 512;
const int VISIBLE_HEIGHT = 384;
const int CAPTION_WIDTH = 480;
const int CAPTION_HEIGHT = 104;

MainClass* app = nullptr;

std::string facePath(int sides, int value) {
    return "media/d" + std::to_string(sides) + "/" + std::to_string(value) + ".png";
}

// A picture decoded by the library's Image, pixels copied out (RGBA, top row first).
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;

    const unsigned char* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
    int alpha(int x, int y) const { return at(x, y)[3]; }
    int luminance(int x, int y) const {
        const unsigned char* p = at(x, y);
        return (p[0] * 299 + p[1] * 587 + p[2] * 114) / 1000;
    }
    // Number of pixels of the rectangle with alpha above `minimum`.
    int countAlphaAbove(int x0, int y0, int x1, int y1, int minimum) const {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                count += alpha(x, y) > minimum;
            }
        }
        return count;
    }
};

Picture decode(const std::string& path) {
    unsigned long fileSize = 0;
    unsigned char* bytes = Utils::readFileIntoNewBuffer(path, &fileSize);
    Image image(bytes, fileSize);
    delete[] bytes;
    Picture picture;
    picture.width = image.size().x();
    picture.height = image.size().y();
    const unsigned char* pixels = image.getDataPixels();
    picture.rgba.assign(pixels, pixels + size_t(picture.width) * picture.height * 4);
    return picture;
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

void expectHiddenQuarterTransparent(const Picture& picture, const std::string& path) {
    EXPECT_EQ(picture.countAlphaAbove(0, VISIBLE_HEIGHT, SIZE, SIZE, 0), 0)
        << path << ": the bottom quarter overlaps the next grid row and must not show";
}

TEST(FacePictures, EveryFaceLoadsAsASpriteOf512By512) {
    for (int sides : DIE_TYPES) {
        for (int value = 1; value <= sides; ++value) {
            const std::string path = facePath(sides, value);
            Sprite sprite(path.c_str());
            EXPECT_TRUE(sprite.isLoaded()) << path;
            EXPECT_EQ(sprite.getOriginalSize().x(), SIZE) << path;
            EXPECT_EQ(sprite.getOriginalSize().y(), SIZE) << path;
        }
    }
}

TEST(FacePictures, CornersHiddenQuarterAndCaptionStripAreTransparent) {
    for (int sides : DIE_TYPES) {
        for (int value = 1; value <= sides; ++value) {
            const std::string path = facePath(sides, value);
            const Picture face = decode(path);
            ASSERT_EQ(face.width, SIZE) << path;
            ASSERT_EQ(face.height, SIZE) << path;
            for (int corner = 0; corner < 4; ++corner) {
                const int x = corner % 2 ? SIZE - 1 : 0, y = corner / 2 ? SIZE - 1 : 0;
                EXPECT_EQ(face.alpha(x, y), 0) << path << " corner " << x << "," << y;
            }
            expectHiddenQuarterTransparent(face, path);
            EXPECT_EQ(face.countAlphaAbove(0, 0, CAPTION_WIDTH, CAPTION_HEIGHT, 0), 0)
                << path << ": the selection button's caption is drawn there";
        }
    }
}

TEST(FacePictures, EachShowsItsOwnOpaqueDieWithSoftEdges) {
    for (int sides : DIE_TYPES) {
        std::set<std::vector<unsigned char>> seen;
        for (int value = 1; value <= sides; ++value) {
            const std::string path = facePath(sides, value);
            const Picture face = decode(path);
            // A die fills a good part of the band below the caption strip...
            const int band = SIZE * (VISIBLE_HEIGHT - CAPTION_HEIGHT);
            const int opaque = face.countAlphaAbove(0, CAPTION_HEIGHT, SIZE, VISIBLE_HEIGHT, 254);
            EXPECT_GT(opaque, band / 5) << path;
            // ...its edge is antialiased, not cut out...
            const int partial = face.countAlphaAbove(0, 0, SIZE, SIZE, 0) -
                                face.countAlphaAbove(0, 0, SIZE, SIZE, 254);
            EXPECT_GT(partial, 200) << path;
            // ...and no two faces of a die are the same picture.
            EXPECT_TRUE(seen.insert(face.rgba).second) << path << " repeats an earlier face";
        }
    }
}

TEST(ButtonPictures, LoadAt512By512WithAnEmptyLightCaptionStrip) {
    for (const char* path : BUTTONS) {
        Sprite sprite(path);
        EXPECT_TRUE(sprite.isLoaded()) << path;
        const Picture button = decode(path);
        ASSERT_EQ(button.width, SIZE) << path;
        ASSERT_EQ(button.height, SIZE) << path;
        expectHiddenQuarterTransparent(button, path);
        // The dark caption needs a light, even, opaque ground (clear of the rounded corner).
        int darkest = 255, lightest = 0;
        for (int y = 24; y < CAPTION_HEIGHT; ++y) {
            for (int x = 24; x < CAPTION_WIDTH; ++x) {
                ASSERT_EQ(button.alpha(x, y), 255) << path << " at " << x << "," << y;
                darkest = std::min(darkest, button.luminance(x, y));
                lightest = std::max(lightest, button.luminance(x, y));
            }
        }
        EXPECT_GE(darkest, 200) << path;
        EXPECT_LE(lightest - darkest, 16) << path << ": something is drawn in the caption strip";
        // Below it, an illustration.
        EXPECT_GT(button.countAlphaAbove(0, CAPTION_HEIGHT, SIZE, VISIBLE_HEIGHT, 254), 0);
    }
}

TEST(FontImage, IsPowerOfTwoSizedAndAtMost20PixelsHigh) {
    const Picture image = decode(FONT_FILE);
    EXPECT_TRUE(isPowerOfTwo(image.width)) << image.width;
    EXPECT_TRUE(isPowerOfTwo(image.height)) << image.height;
    EXPECT_LE(image.height, 20);
}

TEST(FontImage, ScanFindsAll94GlyphsWithCellsClearOfTheirNeighbours) {
    Font font("Segoe UI Symbol", FONT_FILE, 1.5f, 6, 2);
    const FontProbe probe(font);
    const Picture image = decode(FONT_FILE);
    for (int c = 33; c <= 126; ++c) {
        SCOPED_TRACE(std::string("glyph '") + char(c) + "'");
        // A glyph starting in column 0 would get cell start -1: no glyph.
        ASSERT_GE(probe.cellStart(c), 0);
        ASSERT_GE(probe.cellWidth(c), 5);
        EXPECT_LE(probe.cellStart(c) + probe.cellWidth(c), image.width);
        if (c < 126) {
            // The cell reaches three columns past its ink; the neighbour's ink starts one
            // column after the neighbour's cell start.
            EXPECT_LT(probe.cellStart(c) + probe.cellWidth(c) - 1, probe.cellStart(c + 1) + 1);
        }
        if (c > 33) {
            const int previousInkEnd = probe.cellStart(c - 1) + probe.cellWidth(c - 1) - 4;
            EXPECT_GT(probe.cellStart(c), previousInkEnd);
        }
    }
    EXPECT_EQ(probe.cellStart(' '), -1);
    EXPECT_EQ(probe.cellStart(127), -1);
}

TEST(FontImage, GlyphsAreWhiteAndStandOnOneBaseline) {
    const Picture image = decode(FONT_FILE);
    Font font("Segoe UI Symbol", FONT_FILE, 1.5f, 6, 2);
    const FontProbe probe(font);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.alpha(x, y) > 0) {
                const unsigned char* p = image.at(x, y);
                ASSERT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255)
                    << "pixel " << x << "," << y << " is not white: text would not show its colour";
            }
        }
    }
    // The lowest solid row of letters and digits without descenders.
    auto bottomRow = [&](char c) {
        const int first = probe.cellStart(c) + 1,
                  last = probe.cellStart(c) + probe.cellWidth(c) - 4;
        for (int y = image.height - 1; y >= 0; --y) {
            for (int x = first; x <= last; ++x) {
                if (image.alpha(x, y) >= 128) {
                    return y;
                }
            }
        }
        return -1;
    };
    const int baseline = bottomRow('H');
    EXPECT_GT(baseline, image.height / 2);
    for (char c : std::string("ABDEFHIKLMNRTXZbdhiklmnrxz1247")) {
        EXPECT_EQ(bottomRow(c), baseline) << "glyph '" << c << "'";
    }
    // Descenders go below it.
    EXPECT_GT(bottomRow('g'), baseline);
}

TEST(RollSound, LoadsThroughTheSoundManagerAndLastsAboutHalfASecond) {
    Sound* sound = app->getSoundManager()->loadSound(SOUND_FILE);
    ALint bytes = 0, frequency = 0, bits = 0, channels = 0;
    alGetBufferi(sound->getBufferID(), AL_SIZE, &bytes);
    alGetBufferi(sound->getBufferID(), AL_FREQUENCY, &frequency);
    alGetBufferi(sound->getBufferID(), AL_BITS, &bits);
    alGetBufferi(sound->getBufferID(), AL_CHANNELS, &channels);
    ASSERT_GT(frequency * bits * channels, 0);
    const double seconds = double(bytes) / (frequency * (bits / 8) * channels);
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 1.0);
    delete sound;
}

TEST(RollSound, PeaksBelowFullScaleAndIsHeardFromTheFirstMoment) {
    ALenum format = 0;
    ALsizei bytes = 0;
    ALfloat frequency = 0;
    void* data = alutLoadMemoryFromFile(SOUND_FILE, &format, &bytes, &frequency);
    ASSERT_NE(data, nullptr) << alutGetErrorString(alutGetError());
    ASSERT_TRUE(format == AL_FORMAT_MONO16 || format == AL_FORMAT_STEREO16);
    const int16_t* samples = static_cast<const int16_t*>(data);
    const size_t count = size_t(bytes) / 2;
    const int channels = format == AL_FORMAT_STEREO16 ? 2 : 1;

    int peak = 0;
    double sum = 0;
    for (size_t i = 0; i < count; ++i) {
        peak = std::max(peak, std::abs(int(samples[i])));
        sum += samples[i];
    }
    EXPECT_LT(peak, 32767 * 0.98) << "clipped or at full scale";
    EXPECT_GT(peak, 32767 / 4) << "too quiet to be heard over the program";
    EXPECT_LT(std::fabs(sum / count), 32767 * 0.005) << "DC offset";

    // The first 20 ms carry sound: a roll is heard the moment it starts.
    const size_t opening = size_t(frequency * 0.02) * channels;
    ASSERT_LE(opening, count);
    double energy = 0;
    for (size_t i = 0; i < opening; ++i) {
        energy += double(samples[i]) * samples[i];
    }
    EXPECT_GT(std::sqrt(energy / opening), 32767 * 0.05);
    free(data);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The media paths are relative, as the roller opens them from the source tree.
    const char* sourceDir = std::getenv("TOVRIK_SOURCE_DIR");
    if (chdir(sourceDir ? sourceDir : TOVRIK_TEST_SOURCE_DIR) != 0) {
        std::fprintf(stderr, "cannot enter the source tree\n");
        return 1;
    }
    app = new MainClass(argv[0]);
    const int status = RUN_ALL_TESTS();
    delete app;
    return status;
}
