// The Windows build's own clocks and seeding, checked where they run: prints "ok", or what
// failed. With "failed-check", a check that fails.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Utils.h"

namespace {

int fail(const std::string& why) {
    std::printf("FAILED: %s\n", why.c_str());
    return 2;
}

std::vector<int> seededDraws() {
    Utils::initRandomSeed();
    return {Utils::random(1000000), Utils::random(1000000), Utils::random(1000000)};
}

}  // namespace

int main(int argc, char** argv) {
    // A failed check ends like any other fatal condition (wine-test reads what it prints).
    if (argc > 1 && std::string(argv[1]) == "failed-check")
        UTILS_ASSERT(argc < 0);
    long long previous = Utils::getMicrosecondTime();
    for (int i = 0; i < 100000; i++) {
        const long long now = Utils::getMicrosecondTime();
        if (now < previous)
            return fail("the microsecond clock went back");
        previous = now;
    }
    // Both clocks count a sleep, and agree on it.
    const long startMs = Utils::getMillisecond();
    const long long startUs = Utils::getMicrosecondTime();
    Utils::sleepMs(300);
    const long long us = Utils::getMicrosecondTime() - startUs;
    const long ms = Utils::getMillisecond() - startMs;
    if (us < 290000 || us > 2000000 || std::llabs(ms * 1000LL - us) > 50000)
        return fail("sleepMs(300) took " + std::to_string(us) + " us, " + std::to_string(ms) +
                    " ms");
    // Two seedings within one tick of any clock.
    if (seededDraws() == seededDraws())
        return fail("two seedings gave the same sequence");
    std::printf("ok\n");
    return 0;
}
