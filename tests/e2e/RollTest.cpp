// Rolling through real input: the face shown, the sound heard, the heap's limit and
// the veil of a roll.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>

#include "Checks.h"

namespace e2e {
namespace {

// How many sampled pixels of the dice area differ clearly from a face picture drawn
// 512 pixels wide at (10, 50) over the background, as the roller draws one die.
int mismatchToFace(const Shot& s, const Picture& face) {
    const double scale = static_cast<double>(face.width) / 512.0;
    int mismatched = 0;
    // Inside the dice area, clear of its frame.
    for (int y = 58; y < 426; y += 2) {
        for (int x = 18; x < 514; x += 2) {
            const unsigned sx = static_cast<unsigned>((x - 10 + 0.5) * scale);
            const unsigned sy = static_cast<unsigned>((y - 50 + 0.5) * scale);
            if (sx >= face.width || sy >= face.height) {
                continue;
            }
            const unsigned char* p = &face.rgba[(sy * face.width + sx) * 4];
            const double alpha = p[3] / 255.0;
            const Rgb c = s.at(x, y);
            const int drawn[3] = {c.r, c.g, c.b};
            double difference = 0;
            for (int k = 0; k < 3; ++k) {
                const double expected = alpha > 0.1 ? p[k] * alpha + 200 * (1 - alpha) : 200;
                difference += std::abs(expected - drawn[k]);
            }
            mismatched += difference > 120;
        }
    }
    return mismatched;
}

struct Wave {
    int rate = 0;
    int channels = 0;
    std::vector<short> samples;  // interleaved
};

// A 16-bit PCM WAV file: the first "fmt " and "data" chunks.
Wave readWave(const std::string& path) {
    Wave wave;
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    auto u32 = [&](size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 3])) << 24;
    };
    size_t at = 12;
    int bits = 0;
    while (at + 8 <= bytes.size()) {
        const std::string id(&bytes[at], 4);
        size_t size = u32(at + 4);
        const size_t body = at + 8;
        if (id == "fmt " && body + 16 <= bytes.size()) {
            wave.channels = static_cast<unsigned char>(bytes[body + 2]);
            wave.rate = static_cast<int>(u32(body + 4));
            bits = static_cast<unsigned char>(bytes[body + 14]);
        } else if (id == "data") {
            // A writer that was cut short leaves the size unset: take what is there.
            size = std::min(size, bytes.size() - body);
            if (bits == 16) {
                wave.samples.resize(size / 2);
                std::memcpy(wave.samples.data(), &bytes[body], wave.samples.size() * 2);
            }
            break;
        }
        at = body + size + (size & 1);
    }
    return wave;
}

// Index of the first frame louder than the threshold, in frames; -1 for none.
long firstSound(const Wave& wave, long fromFrame, int threshold) {
    const int channels = std::max(1, wave.channels);
    for (size_t i = static_cast<size_t>(fromFrame) * channels; i < wave.samples.size(); ++i) {
        if (std::abs(wave.samples[i]) > threshold) {
            return static_cast<long>(i / channels);
        }
    }
    return -1;
}

TEST(RollerRoll, KeySixShowsASixSidedFaceAndPlaysTheSound) {
    const std::string dir = makeTempDir();
    const std::string recording = dir + "/out.wav";
    {
        std::ofstream conf(dir + "/alsoft.conf");
        conf << "[general]\ndrivers=wave\nsample-type=int16\n[wave]\nfile=" << recording << "\n";
    }
    Roller roller(sourceDir(), {{"ALSOFT_DRIVERS", "wave"}, {"ALSOFT_CONF", dir + "/alsoft.conf"}});
    ASSERT_TRUE(roller.waitForFirstFrame()) << roller.output();

    struct stat before {};
    ASSERT_EQ(stat(recording.c_str(), &before), 0) << "the wave driver writes " << recording;
    roller.key("6");
    Shot s;
    ASSERT_TRUE(roller.waitFor(
        [](const Shot& shot) { return meanOffBackground(shot, 20, 60, 510, 420) > 5; }, 10, &s));
    s = roller.waitForStill();
    ASSERT_FALSE(s.empty());

    // Exactly one face matches: only edges blur (filtering), the others miss pips.
    int matches = 0;
    for (int face = 1; face <= 6; ++face) {
        const Picture picture =
            loadPicture(sourceDir() + "/media/d6/" + std::to_string(face) + ".png");
        const int mismatched = mismatchToFace(s, picture);
        std::cout << "face " << face << ": " << mismatched << " pixels differ\n";
        matches += mismatched < 150;
    }
    EXPECT_EQ(matches, 1) << "the dice area should show exactly one of the six faces";
    if (matches != 1) {
        s.save(binaryDir() + "/e2e-face-failure.png");
    }

    roller.key("Escape");
    ASSERT_EQ(roller.waitExit(), 0) << roller.output();

    const Wave heard = readWave(recording);
    ASSERT_GT(heard.rate, 0);
    const Wave played = readWave(sourceDir() + "/media/44061__marnik__dicewood.wav");
    ASSERT_GT(played.rate, 0);
    const long lead = firstSound(played, 0, 300) * heard.rate / played.rate;
    // What was written before the key was pressed: from there on the sound must start
    // within a few frames.
    const long keyFrame = static_cast<long>(before.st_size) / (2 * std::max(1, heard.channels));
    const long start = firstSound(heard, 0, 300);
    ASSERT_GE(start, 0) << "the roll sound was not heard";
    EXPECT_GE(start + 2 * heard.rate / 100, keyFrame) << "sound before the key";
    const double delayMs = 1000.0 * (start - lead - keyFrame) / heard.rate;
    EXPECT_LT(delayMs, 250.0);
    std::cout << "roll sound heard " << delayMs << " ms after the key\n";
    run("rm -rf " + dir);
}

TEST(RollerRoll, HeapHoldsTwoHundredDice) {
    Roller roller;
    ASSERT_TRUE(roller.waitForFirstFrame()) << roller.output();
    roller.key("m");
    roller.key("4", 205, 4);
    Shot full;
    ASSERT_TRUE(roller.waitFor([](const Shot& s) { return cellInked(s, 199, 15); }, 20, &full));
    full = roller.waitForStill();
    for (int i = 0; i < 200; ++i) {
        EXPECT_TRUE(cellInked(full, i, 15)) << "die " << i;
    }
    EXPECT_FALSE(cellInked(full, 200, 15));
    // Below the last row's neighbours nothing is drawn.
    EXPECT_TRUE(plainBackground(full, 184, 395, 210, 414));

    // One more addition, then a roll to know the addition has been handled.
    roller.key("4");
    roller.key("space");
    Shot rolled;
    ASSERT_TRUE(roller.waitFor([&](const Shot& s) { return s.rgb != full.rgb; }, 10, &rolled));
    rolled = roller.waitForStill();
    EXPECT_TRUE(cellInked(rolled, 199, 15));
    EXPECT_FALSE(cellInked(rolled, 200, 15));
    EXPECT_TRUE(plainBackground(rolled, 184, 395, 210, 414));
    roller.key("Escape");
    EXPECT_EQ(roller.waitExit(), 0);
}

TEST(RollerRoll, RollFadesTheDiceOutAndBackIn) {
    Roller roller;
    ASSERT_TRUE(roller.waitForFirstFrame()) << roller.output();
    roller.key("m");
    roller.key("2", 30, 4);
    // Thirty dice: a grid of 6 columns whose last die is number 29.
    ASSERT_TRUE(roller.waitFor([](const Shot& s) { return cellInked(s, 29, 6); }, 15));
    const Shot shown = roller.waitForStill();
    const double dice = meanOffBackground(shown, 20, 60, 510, 420);
    ASSERT_GT(dice, 10.0);

    // The veil peaks at the middle of a 200 ms roll; a slow machine may miss it once.
    bool veiled = false;
    for (int attempt = 0; attempt < 4 && !veiled; ++attempt) {
        roller.keyAsync("space");
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!veiled && std::chrono::steady_clock::now() < until) {
            const Shot area = roller.shot(10, 50, 512, 384);
            veiled = !area.empty() && meanOffBackground(area, 20, 60, 510, 420) < dice * 0.3;
        }
    }
    EXPECT_TRUE(veiled) << "no frame of the roll showed the veil";
    const Shot after = roller.waitForStill();
    EXPECT_TRUE(cellInked(after, 29, 6));
    EXPECT_GT(meanOffBackground(after, 20, 60, 510, 420), dice * 0.6) << "faces after the roll";
    roller.key("Escape");
    EXPECT_EQ(roller.waitExit(), 0);
}

}  // namespace
}  // namespace e2e
