// The Windows side of Utils: a windowed program has no console, so every message also goes
// to the debugger channel; fatal exits print no call stack; the clocks are the performance
// counter and the runtime's clock(), which counts elapsed time here.
//
// There is no call-stack dump. The shared helpers that no Windows program calls (the wide
// and integer print, warnings, assertion(), the path helpers) are dropped by link-time
// optimisation, so they are not part of the program.
#include <direct.h>
#include <malloc.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "ProcessEnd.h"
// After <windows.h>: the path length below is this library's, not the macro.
#include "Utils.h"

namespace Utils {

void print(const char* text) {
    if (!text) {
        return;
    }
    OutputDebugStringW(convertStringToWString(text).c_str());
    std::cout << text << std::flush;
}

void die() {
    print("#### Program cannot continue.\n");
    endProcessWithFailure();
}

// No file or line on Windows: a failed check ends like any other fatal condition.
void failAssertion(const char*, int) {
    die();
}

long getMillisecond() {
    // Widened first: clock() * 1000 would overflow a 32-bit long after 24 days.
    return static_cast<long>(static_cast<long long>(clock()) * 1000 / CLOCKS_PER_SEC);
}

long long getMicrosecondTime() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<long long>(static_cast<double>(count.QuadPart) * 1000000.0 /
                                  static_cast<double>(frequency.QuadPart));
}

void sleepMs(unsigned int miliseconds) {
    Sleep(miliseconds);
}

void releaseFreedMemory() {
    _heapmin();
}

void initRandomSeed() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    srand(seedFrom(static_cast<unsigned long long>(count.QuadPart), GetCurrentProcessId()));
}

FILE* openFile(const std::string& filepath) {
    FILE* file = nullptr;
    if (fopen_s(&file, filepath.c_str(), "rb") != 0) {
        return nullptr;
    }
    return file;
}

FILE* openFileAndCheck(const std::string& filepath) {
    FILE* file = nullptr;
    // A file that cannot be opened is not named here; only a handle-less success is.
    if (fopen_s(&file, filepath.c_str(), "rb") != 0) {
        die();
    }
    return checkFileHandle(file, filepath.c_str());
}

// Only the path helpers reach it, and the program calls none of them: it is dropped too.
std::string getCurrentDirectory() {
    char buffer[MAX_PATH];
    if (!_getcwd(buffer, sizeof(buffer))) {
        return std::string();
    }
    return std::string(buffer);
}

}  // namespace Utils
