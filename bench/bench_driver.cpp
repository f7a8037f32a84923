// Starts one program on the current display with the frame probe preloaded and prints
// its figures, one "name value" line each:
//   first_frame_ms  start of the process to the first frame on screen
//   rss_kib         resident memory once started
//   idle_cpu_pct    processor use while idle, percent of one core
//   x_alone_cpu_pct the X server's processor use before the program starts (when the
//                   display's server names its process in TOVRIK_XSERVER_PID)
//   x_idle_cpu_pct  the X server's processor use while the program idles
//   roll_fps        frames per second while rolls keep the program busy
//   render_ms       per busy frame: from the end of the previous swap (its events handled
//                   and the frame drawn) to the pacing sleep or swap
//   swap_ms         per busy frame: time in the buffer swap (llvmpipe rasterizes here)
//   roll_cpu_ms     per busy frame: processor time of all the program's threads
// Usage: bench_driver PROGRAM TITLE PROBE_LIBRARY [SETUP_KEYS...]
// SETUP_KEYS are typed before the rolls (for the roller: build a heap of 200 dice).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

long long nowUs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

Window findByName(Display* display, Window root, const char* title) {
    Window parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name != nullptr) {
            if (std::strcmp(name, title) == 0) {
                found = children[i];
            }
            XFree(name);
        }
        if (found == 0) {
            found = findByName(display, children[i], title);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

bool isBackground(Display* display, Window window) {
    XImage* image = XGetImage(display, window, 560, 300, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel == 0xc8c8c8;
}

long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) {
            utime = std::stol(field);
        } else if (i == 15) {
            stime = std::stol(field);
        }
    }
    return utime + stime;
}

long rssKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

int xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PROGRAM TITLE PROBE_LIBRARY [SETUP_KEYS...]\n", argv[0]);
        return 2;
    }
    const char* program = argv[1];
    const char* title = argv[2];
    const std::string log = "/tmp/frame-probe-" + std::to_string(getpid()) + ".log";

    XSetErrorHandler(ignoreXError);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }

    // The X server's own figure with no program on the display, to compare with the one
    // while the program idles.
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    const char* serverPid = std::getenv("TOVRIK_XSERVER_PID");
    const pid_t server = serverPid != nullptr ? std::atoi(serverPid) : 0;
    const auto cpuPercent = [&](pid_t of, long ticks, long long sinceUs) {
        return 100.0 * (cpuTicks(of) - ticks) / ticksPerSecond / ((nowUs() - sinceUs) / 1e6);
    };
    if (server > 0) {
        const long ticks = cpuTicks(server);
        const long long since = nowUs();
        sleepMs(3000);
        std::printf("x_alone_cpu_pct %.1f\n", cpuPercent(server, ticks, since));
    }

    const long long startUs = nowUs();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("LD_PRELOAD", argv[3], 1);
        setenv("FRAME_PROBE_LOG", log.c_str(), 1);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }

    Window window = 0;
    while (window == 0 || !isBackground(display, window)) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before its first frame\n", program);
            return 1;
        }
        if (nowUs() - startUs > 30000000) {
            std::fprintf(stderr, "no first frame within 30 s\n");
            kill(pid, SIGKILL);
            return 1;
        }
        if (window == 0) {
            window = findByName(display, DefaultRootWindow(display), title);
        }
        usleep(500);
    }
    const long long firstFrameUs = nowUs() - startUs;
    std::printf("first_frame_ms %.1f\n", firstFrameUs / 1000.0);

    sleepMs(1500);
    std::printf("rss_kib %ld\n", rssKib(pid));

    const long idleTicks0 = cpuTicks(pid);
    const long serverTicks0 = server > 0 ? cpuTicks(server) : 0;
    const long long idle0 = nowUs();
    sleepMs(5000);
    std::printf("idle_cpu_pct %.1f\n", cpuPercent(pid, idleTicks0, idle0));
    if (server > 0) {
        std::printf("x_idle_cpu_pct %.1f\n", cpuPercent(server, serverTicks0, idle0));
    }

    const std::string target = "--window " + std::to_string(window);
    xdotool("mousemove " + target + " 1 1");
    for (int i = 4; i < argc; ++i) {
        xdotool(std::string("key --delay 3 ") + argv[i]);
    }
    sleepMs(1500);

    // Rolls 150 ms apart keep the 200 ms animation running without a break.
    const long long rollStart = nowUs() + 300000;
    const long rollTicks0 = cpuTicks(pid);
    xdotool("key --repeat 20 --delay 150 space");
    const long long rollEnd = nowUs();
    const long rollTicks = cpuTicks(pid) - rollTicks0;
    sleepMs(500);
    xdotool("key Escape");
    int status = 0;
    waitpid(pid, &status, 0);

    // Busy frames: each swap shows one, drawn since the previous swap ended, until the next
    // sleep or swap. (A frame drawn back from a kept one need not start with a clear.)
    std::ifstream events(log);
    char kind;
    long long begin;
    long long end;
    int frames = 0;
    double renderUs = 0;
    double swapUs = 0;
    long long lastSwapEnd = -1;
    while (events >> kind >> begin >> end) {
        if (begin < rollStart || begin > rollEnd) {
            continue;
        }
        if (lastSwapEnd >= 0 && (kind == 'U' || kind == 'S')) {
            renderUs += begin - lastSwapEnd;
            lastSwapEnd = -1;
        }
        if (kind == 'S') {
            swapUs += end - begin;
            lastSwapEnd = end;
            ++frames;
        }
    }
    std::remove(log.c_str());
    const double seconds = (rollEnd - rollStart) / 1e6;
    std::printf("roll_fps %.1f\n", frames / seconds);
    std::printf("render_ms %.2f\n", frames > 0 ? renderUs / frames / 1000.0 : 0.0);
    std::printf("swap_ms %.2f\n", frames > 0 ? swapUs / frames / 1000.0 : 0.0);
    // Every thread's processor time (llvmpipe's rasterisers included), less sensitive to
    // other load on the machine than the frame rate.
    std::printf("roll_cpu_ms %.2f\n",
                frames > 0 ? 1000.0 * rollTicks / ticksPerSecond / frames : 0.0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
