#include "ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

// The file tests give the reader a size that no allocator can satisfy; under
// AddressSanitizer that must come back as a null pointer, as it does in a normal build.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

ChildResult runInChild(const std::function<void()>& body) {
    ChildResult result;
    std::cout.flush();
    fflush(stdout);
    int fds[2];
    if (pipe(fds) != 0)
        return result;
    pid_t pid = fork();
    if (pid < 0)
        return result;
    if (pid == 0) {
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        close(fds[1]);
        // Nothing may escape into the test framework's copy in the child, which would go on
        // running the remaining tests there.
        try {
            body();
        } catch (...) {
            std::cout.flush();
            _exit(kExceptionStatus);
        }
        std::cout.flush();
        fflush(stdout);
        _exit(0);
    }
    close(fds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof(buffer))) > 0)
        result.output.append(buffer, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return result;
}

int sourceLineContaining(const std::string& relativePath, const std::string& text) {
    const char* root = getenv("TOVRIK_SOURCE_DIR");
    std::ifstream file(std::string(root ? root : TOVRIK_TEST_SOURCE_DIR) + "/" + relativePath);
    std::string line;
    for (int number = 1; std::getline(file, line); number++)
        if (line.find(text) != std::string::npos)
            return number;
    return 0;
}
