// The side of Utils that Linux and the browser share: both give the program a POSIX
// runtime (Emscripten's over its file system in memory) and a console on standard output.
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "Utils.h"

namespace Utils {

void print(const char* text) {
    if (!text) {
        return;
    }
    std::cout << text << std::flush;
}

FILE* openFile(const std::string& filepath) {
    return fopen(filepath.c_str(), "rb");
}

FILE* openFileAndCheck(const std::string& filepath) {
    return checkFileHandle(openFile(filepath), filepath.c_str());
}

std::string getCurrentDirectory() {
    char buffer[MAX_PATH];
    if (!getcwd(buffer, sizeof(buffer))) {
        return std::string();
    }
    return std::string(buffer);
}

}  // namespace Utils
