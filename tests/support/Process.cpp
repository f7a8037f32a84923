#include "Process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace {

std::string contentOf(FILE* file) {
    std::string text;
    std::rewind(file);
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;)
        text.append(block, n);
    std::fclose(file);
    return text;
}

}  // namespace

ChildResult runProgram(const std::vector<std::string>& args, const std::string& workDir,
                       int timeoutSeconds) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    // Output goes to files, never to pipes that a child could fill and block on.
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    const int outFd = out ? fileno(out) : -1, errFd = err ? fileno(err) : -1;
    const pid_t pid = outFd < 0 || errFd < 0 ? -1 : fork();
    if (pid < 0)
        throw std::runtime_error("cannot start a child process");
    if (pid == 0) {
        // Only async-signal-safe calls here: the parent runs audio and window threads.
        if (dup2(outFd, STDOUT_FILENO) < 0 || dup2(errFd, STDERR_FILENO) < 0 ||
            chdir(workDir.c_str()) != 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        usleep(2000);
    }
    ChildResult result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = contentOf(out);
    result.err = contentOf(err);
    return result;
}

std::string commandOutput(const std::string& command) {
    return runProgram({"/bin/sh", "-c", command}).out;
}
