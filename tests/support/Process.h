#pragma once

// Runs a program as a child process and keeps what it wrote, so that paths which end the
// process (and audio set-ups that need their own device) can be observed from outside.

#include <optional>
#include <string>
#include <vector>

struct ChildResult {
    bool finished = false;  // false when the child outlived its time limit and was killed
    int exitStatus = -1;    // -1 when the child did not exit normally
    std::string out;        // standard output
    std::string err;        // standard error
};

// A variable to set in the child, or to remove when value is empty.
struct EnvSetting {
    std::string name;
    std::optional<std::string> value;
};

// Runs argv[0] with its arguments in workDir with the environment changes applied; a child
// still running after the time limit is killed.
ChildResult runProgram(const std::vector<std::string>& argv,
                       const std::vector<EnvSetting>& env = {}, const std::string& workDir = ".",
                       int timeoutSeconds = 60);

// What a shell command wrote on standard output (xdotool's answers, for instance).
std::string commandOutput(const std::string& command);

// The text split at line breaks; a last line without a break is kept.
std::vector<std::string> linesOf(const std::string& text);
