// The media generator runs from scratch into an empty folder and writes a complete,
// decodable set of media; it fails cleanly when it cannot write.
#include <gtest/gtest.h>
#include <lodepng.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Process.h"

namespace fs = std::filesystem;

namespace {

class Generator : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mkdtemp(pattern), nullptr); }
    void TearDown() override { fs::remove_all(pattern); }
    // Writing every picture takes a while on a shared machine.
    ChildResult run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), MEDIA_GENERATOR);
        return runProgram(arguments, {}, ".", 200);
    }
    char pattern[40] = "/tmp/media-generator-test-XXXXXX";
};

void expectPicture(const fs::path& path, unsigned width, unsigned height, bool larger = false) {
    std::vector<unsigned char> pixels;
    unsigned w = 0, h = 0;
    EXPECT_EQ(lodepng::decode(pixels, w, h, path.string()), 0u) << path;
    EXPECT_TRUE(larger ? w > width && h > height : w == width && h == height)
        << path << " " << w << "x" << h;
}

TEST_F(Generator, WritesEveryFileTheRollerReads) {
    const fs::path media = fs::path(pattern) / "media",
                   sheet = fs::path(pattern) / "docs" / "media.png";
    const ChildResult result = run({media.string(), sheet.string()});
    ASSERT_TRUE(result.finished && result.exitStatus == 0) << result.err;
    for (int sides : {4, 6, 8, 10, 12, 20}) {
        const fs::path die = media / ("d" + std::to_string(sides));
        for (int value = 1; value <= sides; ++value)
            expectPicture(die / (std::to_string(value) + ".png"), 512, 512);
        // Faces are numbered from 1: no face 0, none past the last.
        EXPECT_FALSE(fs::exists(die / "0.png") ||
                     fs::exists(die / (std::to_string(sides + 1) + ".png")));
    }
    for (const char* button : {"simple", "multi", "clear", "reroll"})
        expectPicture(media / (std::string(button) + ".png"), 512, 512);
    expectPicture(media / "default_font.png", 2048, 16);
    expectPicture(sheet, 1024, 1024, true);
    // A 44-byte header, then 0.4 to 0.8 s of 16-bit mono samples at 44.1 kHz.
    const auto soundBytes = fs::file_size(media / "44061__marnik__dicewood.wav");
    EXPECT_TRUE(soundBytes >= 44 + 2 * 44100 * 4 / 10 && soundBytes <= 44 + 2 * 44100 * 8 / 10)
        << soundBytes;
    std::stringstream licence;
    licence << std::ifstream(media / "LICENSE").rdbuf();
    EXPECT_NE(licence.str().find("DejaVu"), std::string::npos);
    EXPECT_NE(licence.str().find("Bitstream"), std::string::npos);
}

TEST_F(Generator, ReportsAFolderItCannotWriteOrMissingArgumentsWithStatus1) {
    const fs::path blocker = fs::path(pattern) / "media";  // a plain file where the folder goes
    std::ofstream(blocker) << "not a folder";
    const ChildResult blocked = run({blocker.string()});
    EXPECT_EQ(blocked.exitStatus, 1);
    EXPECT_EQ(blocked.err.rfind("media-generator: cannot create ", 0), 0u) << blocked.err;
    const ChildResult bare = run({});
    EXPECT_EQ(bare.exitStatus, 1);
    EXPECT_EQ(bare.err, "usage: media-generator <media-folder> [<contact-sheet.png>]\n");
}

}  // namespace
