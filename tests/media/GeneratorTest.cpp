// The media generator, run into an empty folder, writes every committed media file again,
// byte for byte, and nothing more; it fails cleanly when it cannot write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "Process.h"

namespace fs = std::filesystem;

namespace {

std::string bytes(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Every file's path in the folder, and its bytes.
std::map<fs::path, std::string> files(const fs::path& folder) {
    std::map<fs::path, std::string> all;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        all[fs::relative(entry.path(), folder)] = bytes(entry.path());
    return all;
}

TEST(Generator, WritesEveryCommittedFileAgainOrFailsWithStatus1) {
    char dir[] = "/tmp/media-generator-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const fs::path made = fs::path(dir) / "media", committed = fs::path(SOURCE_DIR) / "media";
    // Writing every picture takes a while on a shared machine.
    const ChildResult result = runProgram({MEDIA_GENERATOR, made.string()}, ".", 200);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    // The paths whose bytes differ, or that only one side has.
    const std::map<fs::path, std::string> want = files(committed), got = files(made);
    std::set<std::string> differing;
    for (const auto& [path, content] : want)
        if (got.count(path) == 0 || got.at(path) != content)
            differing.insert(path.string());
    for (const auto& [path, content] : got)
        if (want.count(path) == 0)
            differing.insert(path.string());
    EXPECT_EQ(differing, std::set<std::string>()) << "not written as committed";

    const ChildResult blocked = runProgram({MEDIA_GENERATOR, made / "LICENSE"});
    EXPECT_EQ(blocked.exitStatus, 1);
    EXPECT_EQ(blocked.err.rfind("media-generator: cannot create ", 0), 0u) << blocked.err;
    fs::remove_all(dir);
}

}  // namespace
