#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Utils.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The header line with the dump's own source line, then one line per caller frame.
void expectCallStack(const std::vector<std::string>& lines, size_t first) {
    ASSERT_LT(first, lines.size());
    int line = sourceLineContaining("source/unix/Utils_unix.cpp", "\"Call stack from");
    ASSERT_NE(0, line);
    EXPECT_TRUE(std::regex_match(
        lines[first],
        std::regex("Call stack from .*unix/Utils_unix\\.cpp:" + std::to_string(line) + ":")))
        << lines[first];
    ASSERT_GT(lines.size(), first + 2) << "expected caller frames";
    for (size_t i = first + 1; i < lines.size(); i++)
        EXPECT_TRUE(std::regex_match(lines[i], std::regex("    [^ ].*"))) << lines[i];
    // The dump leaves out its own frame: the first frame named is the function that asked.
    EXPECT_EQ(std::string::npos, lines[first + 1].find("printTrace")) << lines[first + 1];
    EXPECT_NE(std::string::npos, lines[first + 1].find("Utils3die")) << lines[first + 1];
}

TEST(UtilsConsole, DieWritesTheFatalLineAndTheCallStack) {
    ChildResult child = runInChild([] {
        Utils::print("before\n");
        Utils::die();
    });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(1, child.status);
    std::vector<std::string> lines = linesOf(child.output);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("before", lines[0]);
    EXPECT_EQ("#### Program cannot continue.", lines[1]);
    expectCallStack(lines, 2);
    // Utils::assertion(false) is die() without any text of its own.
    ChildResult assertion = runInChild([] {
        Utils::assertion(true);
        Utils::assertion(false);
    });
    EXPECT_EQ(1, assertion.status);
    EXPECT_EQ(0u, assertion.output.find("#### Program cannot continue.\nCall stack from "));
}

TEST(UtilsConsole, ErrorMessageStopsAtNulThenDies) {
    ChildResult child = runInChild([] { Utils::dieErrorMessageToUser("x"); });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(1, child.status);
    EXPECT_EQ(0u, child.output.find("ERROR: x\n#### Program cannot continue.\nCall stack from "))
        << child.output;
    expectCallStack(linesOf(child.output), 2);

    ChildResult truncated =
        runInChild([] { Utils::dieErrorMessageToUser(std::string("media/a.png\0hidden", 18)); });
    EXPECT_EQ(1, truncated.status);
    EXPECT_EQ(0u, truncated.output.find("ERROR: media/a.png\n#### Program cannot continue.\n"))
        << truncated.output;
}

TEST(UtilsConsole, AssertionNamesFileAndLineOnly) {
    const int line = __LINE__ + 1;
    ChildResult child = runInChild([] { UTILS_ASSERT(1 + 1 == 3); });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(1, child.status);
    EXPECT_EQ("ASSERTION FAILED: " + std::string(__FILE__) + ":" + std::to_string(line) + "\n",
              child.output);

    // A condition that holds is evaluated once and writes nothing.
    ChildResult holds = runInChild([] {
        int evaluations = 0;
        UTILS_ASSERT(++evaluations == 1);
        Utils::print(evaluations);
    });
    EXPECT_EQ(0, holds.status);
    EXPECT_EQ("1", holds.output);

    // A null handle with no name to report is an assertion inside the library.
    ChildResult noName = runInChild([] { Utils::checkFileHandle(nullptr, nullptr); });
    EXPECT_EQ(1, noName.status);
    EXPECT_TRUE(
        std::regex_match(noName.output, std::regex("ASSERTION FAILED: .*Utils\\.cpp:[0-9]+\n")))
        << noName.output;
}

TEST(UtilsConsole, PrintingAndWarnings) {
    ChildResult child = runInChild([] {
        Utils::print(-42);
        Utils::print("|");
        Utils::print(static_cast<const char*>(nullptr));
        Utils::print(static_cast<const wchar_t*>(nullptr));
        Utils::print(L"wide");
        Utils::print("|");
        Utils::warningMessageToUser(std::string("careful\0ignored", 15));
        Utils::print("still running");
    });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(0, child.status);
    EXPECT_EQ("-42|wide|WARNING: careful\nstill running", child.output);
}

}  // namespace
