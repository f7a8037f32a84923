// The media generator runs from scratch into an empty folder and writes a complete,
// decodable set of media; it fails cleanly when it cannot write.
#include <gtest/gtest.h>
#include <lodepng.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Process.h"

namespace fs = std::filesystem;

namespace {

// Writing every picture takes a while on a shared machine.
ChildResult runGenerator(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), MEDIA_GENERATOR);
    return runProgram(arguments, {}, ".", 200);
}

class GeneratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/media-generator-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
    }
    void TearDown() override { fs::remove_all(scratch); }

    fs::path scratch;
};

void expectPicture(const fs::path& path, unsigned width, unsigned height) {
    unsigned char* pixels = nullptr;
    unsigned w = 0, h = 0;
    const unsigned error = lodepng_decode32_file(&pixels, &w, &h, path.c_str());
    EXPECT_EQ(error, 0u) << path << ": " << lodepng_error_text(error);
    EXPECT_EQ(w, width) << path;
    EXPECT_EQ(h, height) << path;
    free(pixels);
}

TEST_F(GeneratorTest, WritesEveryFileTheRollerReads) {
    const fs::path media = scratch / "media";
    const fs::path sheet = scratch / "docs" / "media.png";
    const ChildResult run = runGenerator({media.string(), sheet.string()});
    ASSERT_TRUE(run.finished && run.exitStatus == 0) << run.err;

    for (int sides : {4, 6, 8, 10, 12, 20}) {
        for (int value = 1; value <= sides; ++value) {
            expectPicture(media / ("d" + std::to_string(sides)) / (std::to_string(value) + ".png"),
                          512, 512);
        }
        // Faces are numbered from 1: no face 0, none past the last.
        EXPECT_FALSE(fs::exists(media / ("d" + std::to_string(sides)) / "0.png"));
        EXPECT_FALSE(fs::exists(media / ("d" + std::to_string(sides)) /
                                (std::to_string(sides + 1) + ".png")));
    }
    for (const char* button : {"simple", "multi", "clear", "reroll"}) {
        expectPicture(media / (std::string(button) + ".png"), 512, 512);
    }
    expectPicture(media / "default_font.png", 2048, 16);

    // 44-byte header, then 16-bit mono samples: 0.4 to 0.8 s at 44.1 kHz.
    const fs::path sound = media / "44061__marnik__dicewood.wav";
    ASSERT_TRUE(fs::exists(sound));
    const auto soundBytes = fs::file_size(sound);
    EXPECT_GE(soundBytes, 44u + 2u * 44100u * 4u / 10u);
    EXPECT_LE(soundBytes, 44u + 2u * 44100u * 8u / 10u);

    std::ifstream licence(media / "LICENSE");
    std::stringstream licenceText;
    licenceText << licence.rdbuf();
    EXPECT_NE(licenceText.str().find("DejaVu"), std::string::npos);
    EXPECT_NE(licenceText.str().find("Bitstream"), std::string::npos);

    unsigned char* pixels = nullptr;
    unsigned w = 0, h = 0;
    ASSERT_EQ(lodepng_decode32_file(&pixels, &w, &h, sheet.c_str()), 0u);
    free(pixels);
    EXPECT_GT(w, 1024u);
    EXPECT_GT(h, 1024u);
}

TEST_F(GeneratorTest, ReportsAFolderItCannotWriteAndExitsWithStatus1) {
    // A plain file where the media folder should be.
    const fs::path blocker = scratch / "media";
    std::ofstream(blocker) << "not a folder";
    const ChildResult run = runGenerator({blocker.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err.rfind("media-generator: cannot create ", 0), 0u) << run.err;
}

TEST_F(GeneratorTest, ExplainsItsUsageWithoutArguments) {
    const ChildResult run = runGenerator({});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "usage: media-generator <media-folder> [<contact-sheet.png>]\n");
}

}  // namespace
