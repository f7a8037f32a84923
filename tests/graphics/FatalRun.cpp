#include "FatalRun.h"

#include <sys/wait.h>

#include <cstdio>

FatalRun runFatal(const std::string& mode, const std::string& path) {
    FatalRun run;
    // Single quotes keep the scratch paths intact; they never hold a quote themselves.
    const std::string command =
        std::string("'") + GRAPHICS_FATAL_HELPER + "' " + mode + " '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char chunk[512];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) {
        run.output.append(chunk, n);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}
