// Linked into a test program with -Wl,--wrap=clock_gettime: the wall clock stands still at
// one second, so that everything seeded in the program is seeded within that second.
// The monotonic clock (the library's milliseconds) runs unless a thread stops its own.
#include <time.h>

extern "C" int __real_clock_gettime(clockid_t clock, timespec* now);

namespace {
thread_local bool monotonicStopped = false;
thread_local timespec monotonicAt;
}  // namespace

void stopMonotonicClock(bool stopped) {
    __real_clock_gettime(CLOCK_MONOTONIC, &monotonicAt);
    monotonicStopped = stopped;
}

extern "C" int __wrap_clock_gettime(clockid_t clock, timespec* now) {
    if (clock == CLOCK_MONOTONIC && monotonicStopped) {
        *now = monotonicAt;
        return 0;
    }
    if (clock != CLOCK_REALTIME)
        return __real_clock_gettime(clock, now);
    now->tv_sec = 1700000023;
    now->tv_nsec = 0;
    return 0;
}
