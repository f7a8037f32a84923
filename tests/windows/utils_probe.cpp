// Runs one Utils operation of the Windows build, chosen on the command line, so that the
// test suite can check its output, its debugger strings and its exit status under wine.
// Checks that need the Windows clocks themselves are made here and reported on one line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Utils.h"

namespace {

int fail(const std::string& why) {
    std::printf("FAILED: %s\n", why.c_str());
    return 2;
}

// Many readings, a few sleeps between them: the counter must never go back and must
// follow real time.
int microsecondTime() {
    long long previous = Utils::getMicrosecondTime();
    for (int round = 0; round < 5; round++) {
        for (int i = 0; i < 20000; i++) {
            long long now = Utils::getMicrosecondTime();
            if (now < previous)
                return fail("went back from " + std::to_string(previous) + " to " +
                            std::to_string(now));
            previous = now;
        }
        long long before = Utils::getMicrosecondTime();
        Sleep(20);
        long long slept = Utils::getMicrosecondTime() - before;
        if (slept < 15000 || slept > 2000000)
            return fail("a 20 ms sleep measured " + std::to_string(slept) + " us");
    }
    std::printf("ok\n");
    return 0;
}

// getMillisecond counts real time, sleeping included: compared with the performance
// counter across a sleep of sleepMs.
int millisecond() {
    long start = Utils::getMillisecond();
    long long startUs = Utils::getMicrosecondTime();
    Utils::sleepMs(300);
    long elapsed = Utils::getMillisecond() - start;
    long long elapsedUs = Utils::getMicrosecondTime() - startUs;
    if (elapsedUs < 290000)
        return fail("sleepMs(300) returned after " + std::to_string(elapsedUs) + " us");
    long long difference = elapsed * 1000LL - elapsedUs;
    if (difference < -50000 || difference > 50000)
        return fail("getMillisecond counted " + std::to_string(elapsed) + " ms over " +
                    std::to_string(elapsedUs) + " us");
    long zero = Utils::getMillisecond();
    Utils::sleepMs(0);
    if (Utils::getMillisecond() - zero > 50)
        return fail("sleepMs(0) did not return at once");
    std::printf("ok %ld\n", elapsed);
    return 0;
}

// Two seedings in a row, within one tick of any clock, give different sequences.
int seed() {
    int sequences[2][8];
    for (auto& sequence : sequences) {
        Utils::initRandomSeed();
        for (int& value : sequence)
            value = Utils::random(1000000);
    }
    if (std::memcmp(sequences[0], sequences[1], sizeof(sequences[0])) == 0)
        return fail("two seedings gave the same sequence");
    std::printf("ok\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return fail("no operation");
    std::string operation = argv[1];
    const char* argument = argc > 2 ? argv[2] : "";
    if (operation == "print") {
        Utils::print(argument);
        Utils::print("|second piece");
        return 0;
    }
    if (operation == "die")
        Utils::die();
    if (operation == "error")
        Utils::dieErrorMessageToUser(std::string(argument) + std::string(1, '\0') + "hidden");
    if (operation == "assert")
        UTILS_ASSERT(argc > 100);
    if (operation == "read") {
        unsigned long size = 0;
        unsigned char* data = Utils::readFileIntoNewBuffer(argument, &size);
        std::printf("%lu bytes, first %d\n", size, size > 0 ? data[0] : -1);
        delete[] data;
        return 0;
    }
    if (operation == "microsecond")
        return microsecondTime();
    if (operation == "millisecond")
        return millisecond();
    if (operation == "seed")
        return seed();
    return fail("unknown operation " + operation);
}
