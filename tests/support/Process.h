#pragma once

// Runs a program as a child process and keeps what it wrote, so that paths which end the
// process can be observed from outside.

#include <string>
#include <vector>

struct ChildResult {
    int exitStatus = -1;  // -1 when the child did not exit normally or outlived its time
    std::string out, err;
};

// Runs argv[0] with its arguments in workDir; a child still running after the time limit is
// killed.
ChildResult runProgram(const std::vector<std::string>& argv, const std::string& workDir = ".",
                       int timeoutSeconds = 60);

// What a shell command wrote on standard output (xdotool's answers, for instance).
std::string commandOutput(const std::string& command);
