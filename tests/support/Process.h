#pragma once

// Runs a program as a child process and keeps what it wrote, so that paths which end the
// process can be observed from outside.

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

struct ChildResult {
    int exitStatus = -1;  // -1 when the child did not exit normally or outlived its time
    std::string out, err;
};

// argv[0] started in workDir, left running until finish().
class Child {
public:
    explicit Child(const std::vector<std::string>& argv, const std::string& workDir = ".");
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool exited();
    // Waits for the end; a child still running after the time limit is killed.
    ChildResult finish(double timeoutSeconds = 60);

private:
    pid_t pid = -1;
    int status = -1;
    FILE* out;
    FILE* err;
};

ChildResult runProgram(const std::vector<std::string>& argv, const std::string& workDir = ".",
                       int timeoutSeconds = 60);
