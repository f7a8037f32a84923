#include "Process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

std::string contentOf(FILE* file) {
    std::string text;
    std::rewind(file);
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;)
        text.append(block, n);
    return text;
}

}  // namespace

Child::Child(const std::vector<std::string>& args, const std::string& workDir)
    : out(std::tmpfile()), err(std::tmpfile()) {
    // Everything the child needs is built here: the parent runs audio and window threads, so
    // the child makes only async-signal-safe calls. Output goes to files, never to pipes
    // that a child could fill and block on.
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid = out && err ? fork() : -1;
    if (pid < 0)
        throw std::runtime_error("cannot start a child process");
    if (pid == 0) {
        if (dup2(fileno(out), STDOUT_FILENO) < 0 || dup2(fileno(err), STDERR_FILENO) < 0 ||
            chdir(workDir.c_str()) != 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
}

Child::~Child() {
    finish(0);
    std::fclose(out);
    std::fclose(err);
}

bool Child::exited() {
    int raw = 0;
    if (status < 0 && waitpid(pid, &raw, WNOHANG) == pid)
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000;  // 1000: ended by a signal
    return status >= 0;
}

ChildResult Child::finish(double timeoutSeconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(long(timeoutSeconds * 1000));
    while (!exited()) {
        if (std::chrono::steady_clock::now() > deadline)
            kill(pid, SIGKILL);
        usleep(2000);
    }
    return ChildResult{status < 1000 ? status : -1, contentOf(out), contentOf(err)};
}

ChildResult runProgram(const std::vector<std::string>& argv, const std::string& workDir,
                       int timeoutSeconds) {
    return Child(argv, workDir).finish(timeoutSeconds);
}
