// The browser's side of Utils. The program runs on the page's one thread: sleeping hands
// control back to the browser (Asyncify unwinds the stack and resumes it after the delay),
// which is when the page paints the frame and delivers input. Console text (print, in
// posix/) goes to the page's print hook, which also shows fatal messages on the page.
#include <emscripten.h>

#include <cstdlib>
#include <ctime>
#include <sstream>

#include "Utils.h"

namespace Utils {

// No call stack: the browser's console already shows one for the WebAssembly frames. The
// exit is forced: a sleep in progress would otherwise keep the page's runtime alive.
void die() {
    print("#### Program cannot continue.\n");
    emscripten_force_exit(1);
}

void failAssertion(const char* file, int line) {
    std::ostringstream text;
    text << "ASSERTION FAILED: " << file << ":" << line << "\n";
    print(text.str().c_str());
    emscripten_force_exit(1);
}

long getMillisecond() {
    static const double origin = emscripten_get_now();
    return static_cast<long>(emscripten_get_now() - origin);
}

long long getMicrosecondTime() {
    static const double origin = emscripten_get_now();
    return static_cast<long long>((emscripten_get_now() - origin) * 1000.0);
}

void sleepMs(unsigned int miliseconds) {
    emscripten_sleep(miliseconds);
}

// The WebAssembly memory never shrinks: there is nothing to give back.
void releaseFreedMemory() {}

void initRandomSeed() {
    const double now = emscripten_get_now() * 1000.0 + emscripten_random() * 1e9;
    srand(seedFrom(static_cast<unsigned long long>(now),
                   static_cast<unsigned long long>(std::time(nullptr))));
}

}  // namespace Utils
