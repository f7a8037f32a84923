#include "Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace {

void closeBoth(int fds[2]) {
    close(fds[0]);
    close(fds[1]);
}

// Only async-signal-safe calls between fork and exec: the parent runs audio and window
// threads, so everything the child needs is built before the fork.
[[noreturn]] void execChild(char* const* argv, char* const* envp, const char* workDir,
                            int outPipe[2], int errPipe[2]) {
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    closeBoth(outPipe);
    closeBoth(errPipe);
    if (chdir(workDir) != 0) {
        _exit(126);
    }
    execve(argv[0], argv, envp);
    _exit(127);
}

std::vector<std::string> childEnvironment(const std::vector<EnvSetting>& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('='));
        bool changed = false;
        for (const EnvSetting& setting : changes) {
            changed = changed || setting.name == name;
        }
        if (!changed) {
            result.push_back(text);
        }
    }
    for (const EnvSetting& setting : changes) {
        if (setting.value) {
            result.push_back(setting.name + "=" + *setting.value);
        }
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildResult runProgram(const std::vector<std::string>& args, const std::vector<EnvSetting>& env,
                       const std::string& workDir, int timeoutSeconds) {
    std::vector<std::string> argTexts = args;
    std::vector<std::string> envTexts = childEnvironment(env);
    const std::vector<char*> argv = pointersTo(argTexts);
    const std::vector<char*> envp = pointersTo(envTexts);

    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot create pipes");
    }
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("cannot fork");
    }
    if (pid == 0) {
        execChild(argv.data(), envp.data(), workDir.c_str(), outPipe, errPipe);
    }
    close(outPipe[1]);
    close(errPipe[1]);

    ChildResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    bool timedOut = false;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        if (poll(fds, 2, static_cast<int>(left)) < 0) {
            continue;  // interrupted; the deadline still holds
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
                continue;
            }
            char block[4096];
            const ssize_t n = read(fds[i].fd, block, sizeof block);
            if (n > 0) {
                sinks[i]->append(block, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    if (timedOut) {
        kill(pid, SIGKILL);
    }
    for (pollfd& fd : fds) {
        if (fd.fd >= 0) {
            close(fd.fd);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.finished = !timedOut;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string commandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    pclose(pipe);
    return output;
}
