// Broken media end the roller with a message and status 1.
#include <gtest/gtest.h>

#include <fstream>

#include "Checks.h"

namespace e2e {
namespace {

// A working directory holding a copy of the media.
std::string copyOfMedia() {
    const std::string dir = makeTempDir();
    EXPECT_EQ(run("cp -r '" + sourceDir() + "/media' '" + dir + "/media'"), 0);
    return dir;
}

TEST(RollerFailure, MissingFacePicture) {
    const std::string dir = copyOfMedia();
    ASSERT_EQ(run("rm '" + dir + "/media/d6/3.png'"), 0);
    Roller roller(dir);
    ASSERT_EQ(roller.waitExit(), 1) << roller.output();
    const std::string output = roller.output();
    EXPECT_NE(output.find("ERROR: media/d6/3.png\n#### Program cannot continue.\n"),
              std::string::npos)
        << output;
    run("rm -rf '" + dir + "'");
}

TEST(RollerFailure, CorruptPicture) {
    const std::string dir = copyOfMedia();
    {
        std::ofstream broken(dir + "/media/d12/7.png", std::ios::binary | std::ios::trunc);
        broken << "\x89PNG\r\n\x1a\n this is no picture";
    }
    Roller roller(dir);
    ASSERT_EQ(roller.waitExit(), 1) << roller.output();
    const std::string output = roller.output();
    // The assertion's line is the last word of the program.
    const size_t line = output.rfind("ASSERTION FAILED: ");
    ASSERT_NE(line, std::string::npos) << output;
    EXPECT_TRUE(line == 0 || output[line - 1] == '\n') << output;
    EXPECT_EQ(output.find('\n', line), output.size() - 1) << output;
    EXPECT_EQ(output.find("ERROR: "), std::string::npos) << output;
    run("rm -rf '" + dir + "'");
}

}  // namespace
}  // namespace e2e
