// Reseeding while every clock stands still: the seed must still change on each call.
#include <gtest/gtest.h>
#include <sys/time.h>

#include <ctime>
#include <string>
#include <vector>

#include "Utils.h"

namespace {

bool stopped = false;
constexpr time_t NOW = 1700000023;  // a second in which whole-second seeding loops

}  // namespace

extern "C" {
time_t __real_time(time_t*);
int __real_clock_gettime(clockid_t, timespec*);
int __real_gettimeofday(timeval*, void*);

time_t __wrap_time(time_t* out) {
    if (!stopped)
        return __real_time(out);
    if (out)
        *out = NOW;
    return NOW;
}
int __wrap_clock_gettime(clockid_t id, timespec* out) {
    if (!stopped)
        return __real_clock_gettime(id, out);
    *out = {NOW, 0};
    return 0;
}
int __wrap_gettimeofday(timeval* out, void* zone) {
    if (!stopped)
        return __real_gettimeofday(out, zone);
    *out = {NOW, 0};
    return 0;
}
}

namespace {

std::vector<int> draws(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; i++)
        values.push_back(Utils::random(1000));
    return values;
}

TEST(Reseed, TwoReseedsInOneInstantGiveDifferentSequences) {
    stopped = true;
    Utils::initRandomSeed();
    const std::vector<int> first = draws(8);
    Utils::initRandomSeed();
    EXPECT_NE(first, draws(8));
    stopped = false;
}

// The roller's key path for a held key 6 in one-die mode: one draw in a hundred reseeds,
// then the die is rolled. Whole-second seeding replays the faces between two reseeds
// forever; no stretch between reseeds may repeat the one before it.
TEST(Reseed, HeldKeyDoesNotLoop) {
    stopped = true;
    Utils::initRandomSeed();
    std::string stretch;
    std::string previous = "-";
    int repeats = 0;
    int reseeds = 0;
    for (int press = 0; press < 20000; press++) {
        if (Utils::random(100) == 0) {
            Utils::initRandomSeed();
            repeats += stretch == previous;
            previous = stretch;
            stretch.clear();
            reseeds++;
        }
        stretch += static_cast<char>('1' + Utils::random(6));
    }
    stopped = false;
    EXPECT_GT(reseeds, 100);
    EXPECT_LE(repeats, 1) << "of " << reseeds << " stretches";
}

}  // namespace
