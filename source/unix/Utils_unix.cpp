// The Linux side of Utils: fatal exits, call-stack dump, clocks, sleeping and seeding (the
// console sink, file opening and the working directory are posix/Utils_posix.cpp's).
#include <execinfo.h>
#include <malloc.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <sstream>

#include "ProcessEnd.h"
#include "Utils.h"

// Kept out of line so that its own frame is a frame of its own, which the dump leaves out.
__attribute__((noinline)) void printTrace() {
    void* frames[100];
    int nbFrames = backtrace(frames, 100);
    char** names = backtrace_symbols(frames, nbFrames);
    printf("Call stack from %s:%d:\n", __FILE__, __LINE__);
    // Frame 0 is this function, unless a sanitizer's wrapper of backtrace sits in front of
    // it: start at the frame that returns into our caller.
    int first = 1;
    for (int i = 0; i < nbFrames; i++) {
        if (frames[i] == __builtin_return_address(0)) {
            first = i;
            break;
        }
    }
    for (int i = first; i < nbFrames; i++) {
        if (names) {
            printf("    %s\n", names[i]);
        } else {
            printf("    [%p]\n", frames[i]);  // no memory to name the frames
        }
    }
    fflush(stdout);
    free(names);
}

namespace Utils {

void die() {
    print("#### Program cannot continue.\n");
    printTrace();
    endProcessWithFailure();
}

void failAssertion(const char* file, int line) {
    std::ostringstream text;
    text << "ASSERTION FAILED: " << file << ":" << line << "\n";
    print(text.str().c_str());
    endProcessWithFailure();
}

long getMillisecond() {
    // Real elapsed time, not processor time: a program that sleeps most of each frame
    // would otherwise see its animations stretched many times over.
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    // Counted from the first call so that the value stays small even where long is 32 bits.
    static const long long originMs = nowMs;
    return static_cast<long>(nowMs - originMs);
}

long long getMicrosecondTime() {
    timeval now;
    gettimeofday(&now, nullptr);
    static const long diminutor = now.tv_sec;
    return static_cast<long long>(now.tv_sec - diminutor) * 1000000LL + now.tv_usec;
}

void sleepMs(unsigned int miliseconds) {
    usleep(miliseconds * 1000u);
}

void releaseFreedMemory() {
    malloc_trim(0);
}

void initRandomSeed() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    srand(seedFrom(static_cast<unsigned long long>(now.tv_sec) * 1000000000ULL +
                       static_cast<unsigned long long>(now.tv_nsec),
                   static_cast<unsigned long long>(getpid())));
}

}  // namespace Utils
