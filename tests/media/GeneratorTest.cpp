// The media generator, run into an empty folder, writes every committed media file again,
// each picture at its committed size; it fails cleanly when it cannot write.
#include <gtest/gtest.h>
#include <lodepng.h>

#include <filesystem>
#include <fstream>

#include "Process.h"

namespace fs = std::filesystem;

namespace {

// A picture's size, or any other file's length in bytes.
std::string shape(const fs::path& path) {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> pixels;
    if (path.extension() == ".png")
        return lodepng::decode(pixels, width, height, path.string()) == 0
                   ? std::to_string(width) + "x" + std::to_string(height)
                   : "undecodable";
    return fs::exists(path) ? std::to_string(fs::file_size(path)) : "missing";
}

TEST(Generator, WritesEveryCommittedFileAgainOrFailsWithStatus1) {
    char dir[] = "/tmp/media-generator-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const fs::path made = fs::path(dir) / "media", committed = fs::path(SOURCE_DIR) / "media";
    // Writing every picture takes a while on a shared machine.
    const ChildResult result =
        runProgram({MEDIA_GENERATOR, made.string(), fs::path(dir) / "sheet.png"}, ".", 200);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(committed)) {
        const fs::path twin = made / fs::relative(entry.path(), committed);
        EXPECT_TRUE(entry.is_directory() || shape(entry.path()) == shape(twin)) << twin;
    }
    auto count = [](const fs::path& folder) {
        return std::distance(fs::recursive_directory_iterator(folder), {});
    };
    EXPECT_EQ(count(committed), count(made));  // nothing more either
    EXPECT_NE(shape(fs::path(dir) / "sheet.png"), "undecodable");

    const ChildResult blocked = runProgram({MEDIA_GENERATOR, dir + std::string("/sheet.png")});
    EXPECT_EQ(blocked.exitStatus, 1);
    EXPECT_EQ(blocked.err.rfind("media-generator: cannot create ", 0), 0u) << blocked.err;
    const ChildResult bare = runProgram({MEDIA_GENERATOR});
    EXPECT_EQ(bare.exitStatus, 1);
    EXPECT_EQ(bare.err, "usage: media-generator <media-folder> [<contact-sheet.png>]\n");
    fs::remove_all(dir);
}

}  // namespace
