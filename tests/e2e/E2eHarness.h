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
    int x0 = 0;  // the captured part's place in the window
    int y0 = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool empty() const { return rgb.empty(); }
    Rgb at(int x, int y) const;
    // Every channel within tolerance of the colour.
    bool is(int x, int y, Rgb colour, int tolerance) const;
    // Sum over channels of the distance to the background grey.
    int offBackground(int x, int y) const;
    // Writes the capture as a PNG (to look at a failure).
    void save(const std::string& path) const;
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
    // console output goes to files.
    explicit Roller(const std::string& workDir = sourceDir(),
                    const std::vector<std::pair<std::string, std::string>>& env = {});
    ~Roller();
    Roller(const Roller&) = delete;
    Roller& operator=(const Roller&) = delete;

    // Waits for the window and for its first frame (the background drawn).
    bool waitForFirstFrame(double seconds = 20);
    // The whole window, or only the part of the given size at (x, y); coordinates stay
    // the window's either way.
    Shot shot(int x = 0, int y = 0, int width = -1, int height = -1);
    // Captures until the predicate holds; the last capture stays in `last`.
    bool waitFor(const std::function<bool(const Shot&)>& done, double seconds,
                 Shot* last = nullptr);
    // Captures until the window has not changed for 300 ms (the roller is idle).
    Shot waitForStill(double seconds = 15);

    // Real input through the X test extension, at the pointer's window.
    void key(const std::string& keys, int repeat = 1, int delayMs = 12);
    // Types without waiting for xdotool to finish, to watch what follows at once.
    void keyAsync(const std::string& keys);
    void click(int x, int y, int button = 1);
    void resize(int width, int height);

    // Exit status, or -1 when the program has not ended in time (it is then killed).
    int waitExit(double seconds = 20);
    bool hasExited();
    // What the program wrote to standard output, and to standard error.
    std::string output();
    std::string errors();
    unsigned long window() const { return windowId; }

private:
    bool findWindow(double seconds);
    static std::string readAll(const std::string& path);
    pid_t pid = -1;
    int status = -1;
    std::string outputPath;
    std::string errorsPath;
    std::vector<pid_t> typists;
    unsigned long windowId = 0;
    void* display = nullptr;
};

// Runs a shell command; returns its exit status.
int run(const std::string& command);

}  // namespace e2e
