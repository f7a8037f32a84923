// The real dice roller with the real media, driven through X input on a private display.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "Layouts.h"
#include "Process.h"
#include "XInput.h"

namespace {

using Clock = std::chrono::steady_clock;
const Rgb BACKGROUND{200, 200, 200};
const Rgb BORDER{150, 150, 150};

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : ".";
}
const std::string SOURCE = env("TOVRIK_SOURCE_DIR");
const std::string PROGRAM = env("TOVRIK_BINARY_DIR") + "/portable/Tovrik";

// The roller in a child process, its output in a file, its window under the pointer.
class RealRoller {
public:
    explicit RealRoller(const std::vector<std::string>& environment = {}) {
        char path[] = "/tmp/tovrik-e2e-XXXXXX";
        const int fd = mkstemp(path);
        outputPath = path;
        pid = fork();
        if (pid == 0) {
            dup2(fd, 1);
            for (const std::string& setting : environment) {
                putenv(const_cast<char*>(setting.c_str()));
            }
            if (chdir(SOURCE.c_str()) == 0) {
                execl(PROGRAM.c_str(), PROGRAM.c_str(), static_cast<char*>(nullptr));
            }
            _exit(127);
        }
        close(fd);
    }
    ~RealRoller() {
        if (waitExit(0) < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        std::remove(outputPath.c_str());
        // The X server drops the window a little later; the next test must not find it.
        for (int i = 0; i < 250 && x.id != 0 && !x.shot(0, 0, 1, 1).empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // Window found, at the screen's corner, pointer on it, first frame drawn. A first
    // frame drawn before the window was mapped is lost and the roller draws again only
    // after input: a key it ignores brings the frame back.
    bool open() {
        if (!x.find("Kelvarro \\(desktop version\\)", 20, [&] { return !exited(); }) ||
            !x.xdo("windowmove --sync WIN 0 0") || !x.xdo("mousemove --window WIN 1 1")) {
            return false;
        }
        for (int tries = 0; tries < 10; ++tries, x.key("3")) {
            if (waitFor([](const Shot& s) { return s.is(560, 300, BACKGROUND); }, 3)) {
                return true;
            }
        }
        return false;
    }
    void key(const std::string& keys, int repeat = 1) {
        x.key(keys, repeat, 4);
        lastInput = Clock::now();
    }
    void resize(int width, int height) {
        x.resize(width, height);
        lastInput = Clock::now();
    }
    bool waitFor(const std::function<bool(const Shot&)>& done, int seconds) {
        const auto deadline = Clock::now() + std::chrono::seconds(seconds);
        for (Shot s = x.shot(); s.empty() || !done(s); s = x.shot()) {
            if (Clock::now() > deadline || exited()) {
                return false;
            }
        }
        return true;
    }
    // The window once it has shown the same picture, and only that, for longer than a
    // roll lasts (a roll redraws it continuously), and `done` holds for it.
    Shot settled(const std::function<bool(const Shot&)>& done = [](const Shot&) { return true; }) {
        Shot previous;
        Clock::time_point changed = lastInput;
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        for (int same = 0; Clock::now() < deadline;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(80));
            Shot s = x.shot();
            if (s.empty() || s.rgb != previous.rgb || s.width != previous.width) {
                same = 0;
                changed = Clock::now();
            } else if (++same >= 3 && Clock::now() - changed > std::chrono::milliseconds(300) &&
                       done(s)) {
                return s;
            }
            previous = std::move(s);
        }
        return Shot();
    }
    bool exited() {
        int raw = 0;
        if (status < 0 && waitpid(pid, &raw, WNOHANG) == pid) {
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        }
        return status >= 0;
    }
    // Exit status, -1 while still running after the time.
    int waitExit(double seconds = 20) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
        while (!exited() && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return status;
    }
    std::string output() {
        std::ifstream file(outputPath);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    XWindow x;

private:
    pid_t pid = -1;
    int status = -1;
    std::string outputPath;
    Clock::time_point lastInput = Clock::now();
};

// A line of the colour along row y (or column x) from a to b, 3 pixels thick somewhere
// within 2 pixels of it.
bool line(const Shot& s, bool horizontal, int at, int a, int b, Rgb colour = BORDER,
          int tolerance = 4) {
    for (int along = a; along <= b; along += 5) {
        bool found = false;
        for (int d = -2; d <= 2 && !found; ++d) {
            found = horizontal ? s.is(along, at + d, colour, tolerance)
                               : s.is(at + d, along, colour, tolerance);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

bool framed(const Shot& s, At p, int width, int height, int tolerance = 4) {
    return line(s, true, p.y, p.x + 12, p.x + width - 12, BORDER, tolerance) &&
           line(s, true, p.y + height, p.x + 12, p.x + width - 12, BORDER, tolerance) &&
           line(s, false, p.x, p.y + 12, p.y + height - 12, BORDER, tolerance) &&
           line(s, false, p.x + width, p.y + 12, p.y + height - 12, BORDER, tolerance);
}

// Sum of the channels' distances to the background, and its mean over a rectangle.
int offBackground(const Shot& s, int x, int y) {
    const Rgb c = s.at(x, y);
    return std::abs(c.r - 200) + std::abs(c.g - 200) + std::abs(c.b - 200);
}
double meanOff(const Shot& s, int x0 = 20, int y0 = 60, int x1 = 510, int y1 = 420) {
    long sum = 0, count = 0;
    for (int y = y0; y <= y1; y += 3) {
        for (int x = x0; x <= x1; x += 3, ++count) {
            sum += offBackground(s, x, y);
        }
    }
    return double(sum) / count;
}

bool plain(const Shot& s, int x0, int y0, int x1, int y1) {
    return meanOff(s, x0, y0, x1, y1) == 0;
}

int darkest(const Shot& s, int x0, int y0, int x1, int y1) {
    int result = 255;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            result = std::min({result, s.at(x, y).r, s.at(x, y).g, s.at(x, y).b});
        }
    }
    return result;
}

// Cell `index` of a dice grid of k columns in the normal layout shows ink in its middle.
bool cellInked(const Shot& s, int index, int columns) {
    const int x = 10 + (512 * (index % columns)) / columns;
    const int y = 50 + (384 * (index / columns)) / columns;
    const int size = 512 / columns;
    int inked = 0;
    for (int dy = size / 3; dy < size / 2; dy += 2) {
        for (int dx = size / 3; dx < 2 * size / 3; dx += 2) {
            inked += offBackground(s, x + dx, y + dy) > 45;
        }
    }
    return inked >= 3;
}

TEST(RollerE2e, OpensOnTheOneDieScreen) {
    RealRoller roller;
    ASSERT_TRUE(roller.open()) << roller.output();
    const Shot s = roller.settled();
    ASSERT_EQ(s.width, 1024);
    ASSERT_EQ(s.height, 768);
    // No heap: no "Roll result"; one-die mode: no Clear or Reroll; background between.
    EXPECT_TRUE(plain(s, 10, 18, 200, 45));
    EXPECT_TRUE(plain(s, 590, 5, 1020, 170));
    EXPECT_TRUE(plain(s, 530, 10, 585, 760));
    EXPECT_TRUE(plain(s, 1016, 0, 1023, 767));
    // The first frame outlines with the thin line width the display starts with, which
    // blends the grey over two rows; once input came the frames are solid.
    const Layout& normal = LAYOUTS[0];
    for (int tolerance : {30, 4}) {
        SCOPED_TRACE(tolerance);
        const Shot now = tolerance == 4 ? roller.settled() : s;
        for (const At& entry : normal.entries) {
            EXPECT_TRUE(framed(now, entry, 204, 153, tolerance)) << entry.x << ", " << entry.y;
        }
        // "Multiple dice" is the switch: framed, its dark caption plain to see. "One die"
        // is the current mode: veiled (nothing dark) and frameless.
        EXPECT_TRUE(framed(now, normal.multi, 204, 153, tolerance));
        EXPECT_FALSE(line(now, true, 605, 22, 202));
        EXPECT_LT(darkest(now, 230, 612, 420, 650), 90);
        EXPECT_GT(darkest(now, 14, 609, 210, 754), 105);
        // The tab bar: over "Multiple dice" at y = 600 from x = 219 to 438, sides down.
        EXPECT_TRUE(line(now, true, 600, 221, 436));
        EXPECT_TRUE(line(now, false, 219, 603, 765));
        EXPECT_TRUE(line(now, false, 438, 603, 765));
        EXPECT_TRUE(plain(now, 10, 595, 214, 602));
        EXPECT_TRUE(plain(now, 443, 590, 585, 602));
        roller.key("3");
    }
}

// Every element at its place in each reference window, tabs joined to "Multiple dice".
TEST(RollerE2e, FollowsTheWindowSize) {
    RealRoller roller;
    ASSERT_TRUE(roller.open()) << roller.output();
    roller.key("m");  // shows Clear, Reroll and "One die" framed
    for (const Layout& r : LAYOUTS) {
        SCOPED_TRACE(testing::Message() << r.width << " x " << r.height);
        const int w = r.buttonWidth, h = r.buttonHeight;
        roller.resize(r.width, r.height);
        const Shot s = roller.settled([&](const Shot& shot) {
            return shot.width == r.width && shot.height == r.height && framed(shot, r.clear, w, h);
        });
        ASSERT_FALSE(s.empty());
        for (const At& place : {r.reroll, r.simple, r.entries[0], r.entries[1], r.entries[2],
                                r.entries[3], r.entries[4], r.entries[5]}) {
            EXPECT_TRUE(framed(s, place, w, h)) << place.x << ", " << place.y;
        }
        const int y0 = r.simple.y - 5, left = r.multi.x - 5, right = r.multi.x + w + 5;
        EXPECT_TRUE(line(s, true, y0, 2, left - 5));
        EXPECT_TRUE(line(s, true, y0, right, right + 5));
        EXPECT_TRUE(line(s, false, left, y0 + 3, r.height - 3));
        EXPECT_TRUE(line(s, false, right, y0 + 3, r.height - 3));
        EXPECT_TRUE(plain(s, left + 5, y0 - 1, right - 5, y0 + 1)) << "the open tab has no top";
    }
}

// The key shows one die with one of its faces and the roll sound is heard after it; Escape
// ends the program with status 0.
TEST(RollerE2e, KeySixShowsASixSidedFaceAndPlaysTheSound) {
    char dir[] = "/tmp/tovrik-e2e-sound-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string recording = std::string(dir) + "/out.wav";
    std::ofstream(std::string(dir) + "/alsoft.conf")
        << "[general]\ndrivers=wave\nsample-type=int16\n[wave]\nfile=" << recording << "\n";
    RealRoller roller({"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + std::string(dir) + "/alsoft.conf"});
    ASSERT_TRUE(roller.open()) << roller.output();
    struct stat before {};
    ASSERT_EQ(stat(recording.c_str(), &before), 0) << "the wave driver writes " << recording;
    roller.key("6");
    const Shot s = roller.settled([](const Shot& shot) { return meanOff(shot) > 5; });
    int matches = 0;
    for (int face = 1; face <= 6; ++face) {
        matches += mismatchToFace(
                       [&](int x, int y) {
                           const Rgb c = s.at(x, y);
                           return Channels{c.r, c.g, c.b};
                       },
                       SOURCE + "/media/d6/" + std::to_string(face) + ".png") < 150;
    }
    EXPECT_EQ(matches, 1) << "the dice area shows exactly one of the six faces";
    roller.key("Escape");
    ASSERT_EQ(roller.waitExit(), 0) << roller.output();

    // The recording runs at the sound card's pace, not the test's: where it stood when the
    // key was sent and where the first loud sample is are compared as positions, so a
    // loaded machine cannot make the order look wrong.
    std::ifstream file(recording, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    const size_t data = bytes.find("data") + 8;
    size_t loud = data;
    while (loud + 1 < bytes.size() &&
           std::abs(*reinterpret_cast<const short*>(&bytes[loud])) <= 300) {
        loud += 2;
    }
    ASSERT_LT(loud + 1, bytes.size()) << "the roll sound was not heard";
    EXPECT_GE(loud, size_t(before.st_size)) << "sound before the key";
    runProgram({"/bin/rm", "-rf", dir});
}

// Two hundred dice fill a 15-column grid; a 201st is refused. Alt+F4 ends the program
// with status 0, F4 alone does not.
TEST(RollerE2e, HeapHoldsTwoHundredDice) {
    RealRoller roller;
    ASSERT_TRUE(roller.open()) << roller.output();
    roller.key("m");
    roller.key("4", 201);
    roller.key("F4");
    roller.key("space");
    // Below the last row's neighbours the background shows once the roll has ended.
    const Shot full = roller.settled(
        [](const Shot& s) { return cellInked(s, 199, 15) && plain(s, 184, 395, 210, 414); });
    ASSERT_FALSE(full.empty());
    for (int i = 0; i < 200; ++i) {
        EXPECT_TRUE(cellInked(full, i, 15)) << "die " << i;
    }
    EXPECT_FALSE(roller.exited());
    roller.key("alt+F4");
    EXPECT_EQ(roller.waitExit(), 0) << roller.output();
}

// A face picture missing from the media ends the roller before its window opens.
TEST(RollerE2e, MissingFacePicture) {
    char dir[] = "/tmp/tovrik-e2e-media-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(runProgram({"/bin/cp", "-r", SOURCE + "/media", dir}).exitStatus, 0);
    ASSERT_EQ(runProgram({"/bin/rm", std::string(dir) + "/media/d6/3.png"}).exitStatus, 0);
    const ChildResult run = runProgram({PROGRAM}, dir, 60);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.out.find("ERROR: media/d6/3.png\n#### Program cannot continue.\n"),
              std::string::npos)
        << run.out;
    runProgram({"/bin/rm", "-rf", dir});
}

}  // namespace
