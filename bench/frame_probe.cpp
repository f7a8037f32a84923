// Preloaded into a measured program (LD_PRELOAD): records the monotonic time of every
// buffer swap and every pacing sleep, and writes them to the file named by
// FRAME_PROBE_LOG when the program ends.
#include <GL/glx.h>
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Event {
    char kind;  // 'S' swap, 'U' sleep
    long long startUs;
    long long endUs;
};

const int MAX_EVENTS = 1 << 20;
Event* events = nullptr;
int nbEvents = 0;

long long nowUs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

void record(char kind, long long start, long long end) {
    if (events == nullptr) {
        events = static_cast<Event*>(std::malloc(sizeof(Event) * MAX_EVENTS));
    }
    if (events != nullptr && nbEvents < MAX_EVENTS) {
        events[nbEvents++] = Event{kind, start, end};
    }
}

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

__attribute__((destructor)) void writeLog() {
    const char* path = std::getenv("FRAME_PROBE_LOG");
    if (path == nullptr || events == nullptr) {
        return;
    }
    if (FILE* file = std::fopen(path, "w")) {
        for (int i = 0; i < nbEvents; ++i) {
            std::fprintf(file, "%c %lld %lld\n", events[i].kind, events[i].startUs,
                         events[i].endUs);
        }
        std::fclose(file);
    }
}

}  // namespace

extern "C" {

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static auto real = next<void (*)(Display*, GLXDrawable)>("glXSwapBuffers");
    const long long start = nowUs();
    real(display, drawable);
    record('S', start, nowUs());
}

int usleep(useconds_t us) {
    static auto real = next<int (*)(useconds_t)>("usleep");
    const long long start = nowUs();
    const int result = real(us);
    record('U', start, nowUs());
    return result;
}
}
