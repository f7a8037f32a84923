// Linked into a test program with -Wl,--wrap=clock_gettime: the wall clock stands still at
// one second, so that everything seeded in the program is seeded within that second.
// The other clocks (the library's milliseconds among them) run as usual.
#include <time.h>

extern "C" int __real_clock_gettime(clockid_t clock, timespec* now);

extern "C" int __wrap_clock_gettime(clockid_t clock, timespec* now) {
    if (clock != CLOCK_REALTIME) {
        return __real_clock_gettime(clock, now);
    }
    now->tv_sec = 1700000023;
    now->tv_nsec = 0;
    return 0;
}
