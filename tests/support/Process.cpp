#include "Process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

extern char** environ;

namespace {

// The parent's environment with the changes applied.
std::vector<std::string> childEnvironment(const std::vector<EnvSetting>& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        bool changed = false;
        for (const EnvSetting& setting : changes)
            changed = changed || setting.name == text.substr(0, text.find('='));
        if (!changed)
            result.push_back(text);
    }
    for (const EnvSetting& setting : changes)
        if (setting.value)
            result.push_back(setting.name + "=" + *setting.value);
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

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

ChildResult runProgram(const std::vector<std::string>& args, const std::vector<EnvSetting>& env,
                       const std::string& workDir, int timeoutSeconds) {
    std::vector<std::string> argTexts = args, envTexts = childEnvironment(env);
    const std::vector<char*> argv = pointersTo(argTexts), envp = pointersTo(envTexts);
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
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    ChildResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    result.finished = true;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.finished = false;
            break;
        }
        usleep(2000);
    }
    result.exitStatus = result.finished && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = contentOf(out);
    result.err = contentOf(err);
    return result;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string commandOutput(const std::string& command) {
    return runProgram({"/bin/sh", "-c", command}).out;
}
