// Starts the real dice roller on the test's display, drives it with xdotool and reads
// its window back.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

std::string sourceDir();
std::string binaryDir();
// A fresh empty directory under the system's temporary directory.
std::string makeTempDir();

struct Rgb {
    int r, g, b;
};

// One capture of the window, RGB, origin top-left.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool empty() const { return rgb.empty(); }
    Rgb at(int x, int y) const;
    // Every channel within tolerance of the colour.
    bool is(int x, int y, Rgb colour, int tolerance) const;
    // Sum over channels of the distance to the background grey.
    int offBackground(int x, int y) const;
};

// A decoded PNG, RGBA.
struct Picture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned char> rgba;
};
Picture loadPicture(const std::string& path);

const Rgb BACKGROUND{200, 200, 200};
const Rgb BORDER{150, 150, 150};

class Roller {
public:
    // Starts build/portable/Tovrik in workDir with extra environment variables; its
    // console output goes to a file.
    explicit Roller(const std::string& workDir = sourceDir(),
                    const std::vector<std::pair<std::string, std::string>>& env = {});
    ~Roller();
    Roller(const Roller&) = delete;
    Roller& operator=(const Roller&) = delete;

    // Waits for the window and for its first frame (the background drawn).
    bool waitForFirstFrame(double seconds = 20);
    Shot shot();
    // Captures until the predicate holds; the last capture stays in `last`.
    bool waitFor(const std::function<bool(const Shot&)>& done, double seconds,
                 Shot* last = nullptr);
    // Captures until two captures in a row are equal (the roller is idle).
    Shot waitForStill(double seconds = 10);

    // Real input through the X test extension, at the pointer's window.
    void key(const std::string& keys, int repeat = 1, int delayMs = 12);
    void click(int x, int y, int button = 1);
    void resize(int width, int height);

    // Exit status, or -1 when the program has not ended in time (it is then killed).
    int waitExit(double seconds = 20);
    bool hasExited();
    std::string output();
    unsigned long window() const { return windowId; }

private:
    bool findWindow(double seconds);
    pid_t pid = -1;
    int status = -1;
    std::string outputPath;
    unsigned long windowId = 0;
    void* display = nullptr;
};

// Runs a shell command; returns its exit status.
int run(const std::string& command);

}  // namespace e2e
