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

#include "Process.h"

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
    x -= x0;
    y -= y0;
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

void Shot::save(const std::string& path) const {
    if (!empty()) {
        lodepng_encode24_file(path.c_str(), rgb.data(), width, height);
    }
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
    char errorsTemplate[] = "/tmp/tovrik-e2e-errors-XXXXXX";
    const int errorsFd = mkstemp(errorsTemplate);
    if (errorsFd < 0) {
        throw std::runtime_error("cannot make the error output file");
    }
    errorsPath = errorsTemplate;
    pid = fork();
    if (pid == 0) {
        dup2(outputFd, 1);
        dup2(errorsFd, 2);
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
    close(errorsFd);
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
    for (pid_t typist : typists) {
        waitpid(typist, nullptr, 0);
    }
    if (!hasExited()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (display != nullptr) {
        XCloseDisplay(static_cast<::Display*>(display));
    }
    std::remove(outputPath.c_str());
    std::remove(errorsPath.c_str());
}

bool Roller::findWindow(double seconds) {
    const auto deadline = deadlineIn(seconds);
    while (Clock::now() < deadline && !hasExited()) {
        const std::string found = commandOutput(
            "xdotool search --onlyvisible --name '^Kelvarro \\(desktop version\\)$' "
            "2>/dev/null");
        if (!found.empty()) {
            windowId = std::stoul(found);
            // Without a window manager the window opens a pixel off the screen's corner,
            // where it cannot be read back whole.
            run("xdotool windowmove --sync " + std::to_string(windowId) + " 0 0");
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

Shot Roller::shot(int x, int y, int width, int height) {
    Shot result;
    auto* dpy = static_cast<::Display*>(display);
    XWindowAttributes attributes;
    if (windowId == 0 || !XGetWindowAttributes(dpy, windowId, &attributes)) {
        return result;
    }
    if (width < 0) {
        width = attributes.width - x;
        height = attributes.height - y;
    }
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > attributes.width ||
        y + height > attributes.height) {
        return result;
    }
    XImage* image = XGetImage(dpy, windowId, x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return result;
    }
    result.x0 = x;
    result.y0 = y;
    result.width = width;
    result.height = height;
    result.rgb.resize(static_cast<size_t>(width) * height * 3);
    const bool fast = image->bits_per_pixel == 32 && image->red_mask == 0xff0000 &&
                      image->green_mask == 0xff00 && image->blue_mask == 0xff;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            unsigned long pixel;
            if (fast) {
                pixel = reinterpret_cast<const uint32_t*>(image->data +
                                                          row * image->bytes_per_line)[column];
            } else {
                pixel = XGetPixel(image, column, row);
            }
            unsigned char* out = &result.rgb[(static_cast<size_t>(row) * width + column) * 3];
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
    int unchanged = 0;
    const auto deadline = deadlineIn(seconds);
    while (Clock::now() < deadline) {
        pause(60);
        Shot next = shot();
        if (!next.empty() && next.width == previous.width && next.height == previous.height &&
            next.rgb == previous.rgb) {
            if (++unchanged == 5) {
                return next;
            }
        } else {
            unchanged = 0;
        }
        previous = std::move(next);
    }
    return Shot();
}

void Roller::key(const std::string& keys, int repeat, int delayMs) {
    run("xdotool key --repeat " + std::to_string(repeat) + " --delay " + std::to_string(delayMs) +
        " " + keys);
}

void Roller::keyAsync(const std::string& keys) {
    const pid_t typist = fork();
    if (typist == 0) {
        execlp("xdotool", "xdotool", "key", keys.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    typists.push_back(typist);
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
    return readAll(outputPath);
}

std::string Roller::errors() {
    return readAll(errorsPath);
}

std::string Roller::readAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace e2e
