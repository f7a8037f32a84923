#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>

#include "ChildProcess.h"
#include "Utils.h"

namespace {

namespace fs = std::filesystem;

// A fresh directory per test, removed afterwards.
class UtilsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tovrik-utils-XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string dir;
};

const char kFatalStart[] = "#### Program cannot continue.\nCall stack from ";

TEST_F(UtilsFiles, ReadsWholeFilesByteForByte) {
    std::string bytes("PNG\0\xFF\r\n\x1A tail", 12);
    unsigned long size = 1234;
    unsigned char* buffer = Utils::readFileIntoNewBuffer(write("a.bin", bytes), &size);
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ(bytes.size(), size);
    EXPECT_EQ(bytes, std::string(reinterpret_cast<char*>(buffer), size));
    delete[] buffer;

    size = 1234;
    buffer = Utils::readFileIntoNewBuffer(write("empty", ""), &size);
    EXPECT_NE(nullptr, buffer);
    EXPECT_EQ(0u, size);
    delete[] buffer;
}

TEST_F(UtilsFiles, SizingKeepsThePositionAndShortReadsSucceed) {
    std::string bytes;
    for (int i = 0; i < 100; i++)
        bytes += static_cast<char>(i);
    FILE* file = Utils::openFileAndCheck(write("hundred", bytes));
    unsigned char chunk[200];
    unsigned long nbRead = 0;
    ASSERT_TRUE(Utils::readFile(file, chunk, 10, &nbRead));
    EXPECT_EQ(10u, nbRead);
    EXPECT_EQ(100u, Utils::getFileSize(file));
    ASSERT_TRUE(Utils::readFile(file, chunk, 10, nullptr));
    EXPECT_EQ(10, chunk[0]);  // continues at byte 10
    EXPECT_EQ(19, chunk[9]);
    // Asking past the end is a short read, not a failure.
    ASSERT_TRUE(Utils::readFile(file, chunk, 200, &nbRead));
    EXPECT_EQ(80u, nbRead);
    EXPECT_EQ(99, chunk[79]);
    EXPECT_TRUE(Utils::closeFile(file));

    // A stream opened for writing only cannot be read: false, count untouched.
    FILE* writeOnly = fopen((dir + "/w").c_str(), "wb");
    ASSERT_NE(nullptr, writeOnly);
    nbRead = 777;
    EXPECT_FALSE(Utils::readFile(writeOnly, chunk, 10, &nbRead));
    EXPECT_EQ(777u, nbRead);
    EXPECT_TRUE(Utils::closeFile(writeOnly));
}

TEST_F(UtilsFiles, MissingFileEndsNamingThePath) {
    std::string missing = dir + "/media/none.png";
    EXPECT_EQ(nullptr, Utils::openFile(missing));

    ChildResult quiet = runInChild([&] { Utils::openFile(missing); });
    EXPECT_EQ(0, quiet.status);
    EXPECT_EQ("", quiet.output);

    for (auto body : {std::function<void()>([&] { Utils::openFileAndCheck(missing); }),
                      std::function<void()>([&] {
                          unsigned long size;
                          Utils::readFileIntoNewBuffer(missing, &size);
                      })}) {
        ChildResult child = runInChild(body);
        EXPECT_TRUE(child.exited);
        EXPECT_EQ(1, child.status);
        EXPECT_EQ(0u, child.output.find("ERROR: " + missing + "\n" + kFatalStart)) << child.output;
    }
}

// Paths that open but cannot be sized or read end through die(): no exception, no abort.
TEST_F(UtilsFiles, UnreadableFilesEndThroughDie) {
    auto expectDies = [](const std::string& path) {
        ChildResult child = runInChild([&] {
            unsigned long size;
            Utils::readFileIntoNewBuffer(path, &size);
        });
        EXPECT_TRUE(child.exited) << path << " ended by signal " << child.status;
        EXPECT_EQ(1, child.status) << path;
        EXPECT_EQ(0u, child.output.find(kFatalStart)) << path << ": " << child.output;
    };

    // A directory: depending on the file system it cannot be sized, reports an absurd
    // size, or fails to read.
    expectDies(dir);

    // A pipe cannot be sized. Holding it open for both ends keeps the child's open from
    // waiting for a writer.
    std::string fifo = dir + "/pipe";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    int held = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    ASSERT_EQ(3, ::write(held, "abc", 3));
    expectDies(fifo);
    close(held);

    // A sparse file far larger than any address space: the allocation fails.
    for (std::string place : {dir, std::string("/dev/shm")}) {
        std::string path = place + "/tovrik-huge-" + std::to_string(getpid());
        int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
        if (fd < 0)
            continue;
        bool sized = ftruncate(fd, 1LL << 50) == 0;
        close(fd);
        if (sized)
            expectDies(path);
        unlink(path.c_str());
        if (sized)
            return;
    }
    GTEST_SKIP() << "no file system here holds a sparse file of a petabyte";
}

TEST_F(UtilsFiles, PathCopiesAreTruncatedAtTheBufferSize) {
    std::wstring longPath(Utils::MAX_PATH + 50, L'p');
    const wchar_t* copy = Utils::getDirectoryFromFilePathStatic(longPath.c_str());
    EXPECT_EQ(static_cast<size_t>(Utils::MAX_PATH - 1), wcslen(copy));
    EXPECT_EQ(longPath.substr(0, Utils::MAX_PATH - 1), copy);
    // The same buffer, overwritten: exactly the shorter path, nothing left of the longer.
    EXPECT_EQ(copy, Utils::getDirectoryFromFilePathStatic(L"media/d6/"));
    EXPECT_STREQ(L"media/d6/", copy);
    EXPECT_STREQ(L"", Utils::getDirectoryFromFilePathStatic(nullptr));

    EXPECT_EQ("a\\b\\\\c", Utils::replaceSlashesByBackslashes("a/b//c"));
}

TEST_F(UtilsFiles, CurrentDirectoryAsTheSystemGivesIt) {
    ChildResult child = runInChild([&] {
        if (chdir(dir.c_str()) != 0)
            return;
        std::string cwd = Utils::getCurrentDirectory();
        bool same = std::wstring(Utils::getCurrentDirectoryStatic()) ==
                    Utils::convertStringToWString(fs::canonical(dir).string());
        Utils::print((cwd + (same ? "\nsame" : "\ndiffers")).c_str());

        // Deeper than the buffer holds: the system cannot give it, and the answer is empty.
        std::string part(200, 'd');
        int depth = 0;
        for (; depth < 25; depth++)
            if (mkdir(part.c_str(), 0700) != 0 || chdir(part.c_str()) != 0)
                break;
        std::string deep = Utils::getCurrentDirectory();
        size_t deepLength = wcslen(Utils::getCurrentDirectoryStatic());
        for (; depth > 0; depth--)
            if (chdir("..") != 0 || rmdir(part.c_str()) != 0)
                break;
        Utils::print(
            ("\n" + std::to_string(deep.size()) + " " + std::to_string(deepLength)).c_str());
    });
    EXPECT_EQ(0, child.status);
    EXPECT_EQ(fs::canonical(dir).string() + "\nsame\n0 0", child.output);
}

}  // namespace
