#include "E2eHarness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <lodepng.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point deadlineIn(double seconds) {
    return Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
}

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string environmentOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : fallback;
}

// The window may go away between two requests; a failed capture is retried instead.
int ignoreXError(::Display*, XErrorEvent*) {
    return 0;
}

std::string capture(const std::string& command) {
    std::string result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        result += buffer;
    }
    pclose(pipe);
    return result;
}

}  // namespace

std::string sourceDir() {
    return environmentOr("TOVRIK_SOURCE_DIR", ".");
}
std::string binaryDir() {
    return environmentOr("TOVRIK_BINARY_DIR", "build");
}

std::string makeTempDir() {
    std::string pattern = "/tmp/tovrik-e2e-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary directory");
    }
    return pattern;
}

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Rgb Shot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return Rgb{-1, -1, -1};
    }
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return Rgb{p[0], p[1], p[2]};
}

bool Shot::is(int x, int y, Rgb colour, int tolerance) const {
    const Rgb c = at(x, y);
    return std::abs(c.r - colour.r) <= tolerance && std::abs(c.g - colour.g) <= tolerance &&
           std::abs(c.b - colour.b) <= tolerance;
}

int Shot::offBackground(int x, int y) const {
    const Rgb c = at(x, y);
    return std::abs(c.r - 200) + std::abs(c.g - 200) + std::abs(c.b - 200);
}

Picture loadPicture(const std::string& path) {
    Picture picture;
    unsigned char* pixels = nullptr;
    if (lodepng_decode32_file(&pixels, &picture.width, &picture.height, path.c_str()) != 0) {
        throw std::runtime_error("cannot read " + path);
    }
    picture.rgba.assign(pixels, pixels + picture.width * picture.height * 4);
    free(pixels);
    return picture;
}

Roller::Roller(const std::string& workDir,
               const std::vector<std::pair<std::string, std::string>>& env) {
    const std::string program = binaryDir() + "/portable/Tovrik";
    char outputTemplate[] = "/tmp/tovrik-e2e-output-XXXXXX";
    const int outputFd = mkstemp(outputTemplate);
    if (outputFd < 0) {
        throw std::runtime_error("cannot make the output file");
    }
    outputPath = outputTemplate;
    pid = fork();
    if (pid == 0) {
        dup2(outputFd, 1);
        dup2(outputFd, 2);
        if (chdir(workDir.c_str()) != 0) {
            _exit(126);
        }
        for (const auto& [name, value] : env) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(outputFd);
    if (pid < 0) {
        throw std::runtime_error("cannot start " + program);
    }
    XSetErrorHandler(ignoreXError);
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        throw std::runtime_error("no X display");
    }
}

Roller::~Roller() {
    if (!hasExited()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (display != nullptr) {
        XCloseDisplay(static_cast<::Display*>(display));
    }
    std::remove(outputPath.c_str());
}

bool Roller::findWindow(double seconds) {
    const auto deadline = deadlineIn(seconds);
    while (Clock::now() < deadline && !hasExited()) {
        const std::string found = capture(
            "xdotool search --onlyvisible --name '^Kelvarro \\(desktop version\\)$' "
            "2>/dev/null");
        if (!found.empty()) {
            windowId = std::stoul(found);
            // Keys typed through the test extension go to the window under the pointer.
            run("xdotool mousemove --window " + std::to_string(windowId) + " 1 1");
            return true;
        }
        pause(50);
    }
    return false;
}

bool Roller::waitForFirstFrame(double seconds) {
    if (windowId == 0 && !findWindow(seconds)) {
        return false;
    }
    // The gap between the dice area and the right-hand panel shows only background.
    return waitFor([](const Shot& s) { return s.is(560, 300, BACKGROUND, 0); }, seconds);
}

Shot Roller::shot() {
    Shot result;
    auto* dpy = static_cast<::Display*>(display);
    XWindowAttributes attributes;
    if (windowId == 0 || !XGetWindowAttributes(dpy, windowId, &attributes)) {
        return result;
    }
    XImage* image =
        XGetImage(dpy, windowId, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return result;
    }
    result.width = attributes.width;
    result.height = attributes.height;
    result.rgb.resize(static_cast<size_t>(result.width) * result.height * 3);
    const bool fast = image->bits_per_pixel == 32 && image->red_mask == 0xff0000 &&
                      image->green_mask == 0xff00 && image->blue_mask == 0xff;
    for (int y = 0; y < result.height; ++y) {
        for (int x = 0; x < result.width; ++x) {
            unsigned long pixel;
            if (fast) {
                pixel =
                    reinterpret_cast<const uint32_t*>(image->data + y * image->bytes_per_line)[x];
            } else {
                pixel = XGetPixel(image, x, y);
            }
            unsigned char* out = &result.rgb[(static_cast<size_t>(y) * result.width + x) * 3];
            out[0] = (pixel >> 16) & 0xff;
            out[1] = (pixel >> 8) & 0xff;
            out[2] = pixel & 0xff;
        }
    }
    XDestroyImage(image);
    return result;
}

bool Roller::waitFor(const std::function<bool(const Shot&)>& done, double seconds, Shot* last) {
    const auto deadline = deadlineIn(seconds);
    while (true) {
        Shot s = shot();
        const bool ok = !s.empty() && done(s);
        if (last != nullptr) {
            *last = std::move(s);
        }
        if (ok) {
            return true;
        }
        if (Clock::now() > deadline || hasExited()) {
            return false;
        }
        pause(5);
    }
}

Shot Roller::waitForStill(double seconds) {
    Shot previous = shot();
    const auto deadline = deadlineIn(seconds);
    while (Clock::now() < deadline) {
        pause(60);
        Shot next = shot();
        if (!next.empty() && next.rgb == previous.rgb) {
            return next;
        }
        previous = std::move(next);
    }
    return Shot();
}

void Roller::key(const std::string& keys, int repeat, int delayMs) {
    run("xdotool key --repeat " + std::to_string(repeat) + " --delay " + std::to_string(delayMs) +
        " " + keys);
}

void Roller::click(int x, int y, int button) {
    run("xdotool mousemove --window " + std::to_string(windowId) + " " + std::to_string(x) + " " +
        std::to_string(y) + " click " + std::to_string(button));
}

void Roller::resize(int width, int height) {
    run("xdotool windowsize " + std::to_string(windowId) + " " + std::to_string(width) + " " +
        std::to_string(height));
}

bool Roller::hasExited() {
    if (pid <= 0) {
        return true;
    }
    if (status >= 0) {
        return true;
    }
    int raw = 0;
    const pid_t done = waitpid(pid, &raw, WNOHANG);
    if (done == pid) {
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return true;
    }
    return false;
}

int Roller::waitExit(double seconds) {
    const auto deadline = deadlineIn(seconds);
    while (!hasExited()) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            status = -1;
            pid = -1;
            return -1;
        }
        pause(10);
    }
    return status;
}

std::string Roller::output() {
    std::ifstream file(outputPath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace e2e
