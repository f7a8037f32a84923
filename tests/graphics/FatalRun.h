#pragma once

#include <string>

// Runs the graphics fatal-path helper in a child process and keeps what it printed on
// standard output and its exit status.
struct FatalRun {
    std::string output;
    int status = -1;
};

FatalRun runFatal(const std::string& mode, const std::string& path);
