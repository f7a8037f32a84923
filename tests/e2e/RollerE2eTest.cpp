// The real dice roller with the real media, driven through X input on a private display:
// what only real keys, clicks and the window system show. Where things are drawn in each
// layout is the window test's (tests/roller).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Layouts.h"
#include "Process.h"
#include "XInput.h"

namespace {

using Clock = std::chrono::steady_clock;

// The roller in a child process, its window at the screen's corner under the pointer.
class RealRoller {
public:
    RealRoller() : child({PROGRAM}, SOURCE) {}

    // Window found and first frame on the screen, without any input.
    bool open() {
        return x.find("Kelvarro \\(desktop version\\)", 20, [&] { return !child.exited(); }) &&
               x.xdo("windowmove --sync WIN 0 0") && x.xdo("mousemove --window WIN 1 1") && shown();
    }
    // The window hidden and shown again gets its frame back, still without input.
    bool hiddenAndShown(const std::string& hide, const std::string& show) {
        return x.xdo(hide + " --sync WIN") && x.xdo(show + " --sync WIN") && shown();
    }
    bool shown() {
        const auto deadline = Clock::now() + std::chrono::seconds(30);
        while (Clock::now() < deadline && !child.exited())
            if (x.shot().is(560, 300, {200, 200, 200}))
                return true;
        return false;
    }
    // The window once `done` has held for it, the picture unchanged, for longer than a roll
    // lasts (a roll redraws continuously); an empty shot after a minute.
    Shot settled(const std::function<bool(const Shot&)>& done) {
        Shot first;
        auto since = Clock::now();
        for (const auto end = since + std::chrono::seconds(60); Clock::now() < end;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            Shot s = x.shot();
            if (s.empty() || s.pixels != first.pixels || !done(s)) {
                first = std::move(s);
                since = Clock::now();
            } else if (Clock::now() - since > std::chrono::milliseconds(300)) {
                return s;
            }
        }
        return Shot();
    }

    Child child;
    XWindow x;
};

// openbox, for as long as the object lives.
struct WindowManager {
    // It runs its start-up command once it manages windows.
    explicit WindowManager(const std::string& ready)
        : ready(ready), child({"/usr/bin/openbox", "--sm-disable", "--startup", "touch " + ready}) {
        for (int i = 0; i < 1000 && access(ready.c_str(), F_OK) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Its mark on the root window outlives it, and freeglut would ask the window it names.
    ~WindowManager() {
        runProgram({"/usr/bin/openbox", "--exit"});
        child.finish(20);
        runProgram({"/usr/bin/xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK"});
    }
    const std::string ready;
    Child child;
};

// Pixels of a rectangle clearly coloured: the dice are, the background, labels and frames
// are grey.
int coloured(const Shot& s, int x0, int y0, int width, int height) {
    int count = 0;
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x) {
            const Rgb c = s.at(x, y);
            count += std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 60;
        }
    return count;
}

// Under a window manager, minimised and restored, the window shows its frame without input.
// A key shows one die with one of its faces, and the roll sound is heard after it. Escape
// ends the program with status 0.
TEST(RollerE2e, AKeyRollsADieWithItsSoundAndEscapeEndsIt) {
    char dir[] = "/tmp/tovrik-e2e-sound-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string recording = std::string(dir) + "/out.wav";
    std::ofstream(std::string(dir) + "/alsoft.conf")
        << "[general]\ndrivers=wave\nsample-type=int16\n[wave]\nfile=" << recording << "\n";
    // The roller inherits the settings; this program itself plays nothing.
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("ALSOFT_CONF", (std::string(dir) + "/alsoft.conf").c_str(), 1);
    const WindowManager manager(std::string(dir) + "/managing");
    ASSERT_EQ(access(manager.ready.c_str(), F_OK), 0) << "openbox did not start";
    RealRoller roller;
    ASSERT_TRUE(roller.open());
    ASSERT_TRUE(roller.hiddenAndShown("windowminimize", "windowactivate"));
    ASSERT_TRUE(roller.x.xdo("windowfocus --sync WIN"));
    struct stat before {};
    ASSERT_EQ(stat(recording.c_str(), &before), 0) << "the wave driver writes " << recording;
    roller.x.xdo("key 6");
    // Under the veil no face matches: exactly one of the six shows once the roll has ended.
    const Shot rolled = roller.settled([](const Shot& shot) {
        int matches = 0;
        for (int face = 1; face <= 6; ++face)
            matches +=
                mismatchToFace(shot, SOURCE "/media/d6/" + std::to_string(face) + ".png") < 150;
        return matches == 1;
    });
    EXPECT_FALSE(rolled.empty()) << "the dice area shows exactly one of the six faces";
    roller.x.xdo("key Escape");
    ASSERT_EQ(roller.child.finish(20).exitStatus, 0);

    // The recording runs at the sound card's pace, not the test's: where it stood when the
    // key was sent and where the first loud sample is are compared as positions, so a
    // loaded machine cannot make the order look wrong.
    std::ifstream file(recording, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    size_t loud = bytes.find("data") + 8;
    while (loud + 1 < bytes.size() &&
           std::abs(*reinterpret_cast<const short*>(&bytes[loud])) <= 300) {
        loud += 2;
    }
    ASSERT_LT(loud + 1, bytes.size()) << "the roll sound was not heard";
    EXPECT_GE(loud, size_t(before.st_size)) << "sound before the key";
    std::filesystem::remove_all(dir);
}

// Unmapped and mapped again, without a window manager, the window shows its frame without
// input. In multiple-dice mode a click with each of the three mouse buttons on the 4-sided die's
// entry adds one die, on the press alone: three dice in a grid of two columns, its fourth
// cell empty. Alt+F4 ends the program with status 0.
TEST(RollerE2e, EveryMouseButtonAddsADieAndAltF4EndsIt) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    RealRoller roller;
    ASSERT_TRUE(roller.open());
    ASSERT_TRUE(roller.hiddenAndShown("windowunmap", "windowmap"));
    const At entry = LAYOUTS[0].entries[0];
    roller.x.xdo("key m");
    for (const char* button : {"1", "2", "3"})
        roller.x.xdo("mousemove --window WIN " + std::to_string(entry.x + 102) + " " +
                     std::to_string(entry.y + 76) + " click " + button);
    // Die k of three sits at (10 + 256 * (k % 2), 50 + 192 * (k / 2)), its picture 256 wide.
    const auto dieShown = [](const Shot& s, int k) {
        return coloured(s, 10 + 256 * (k % 2) + 64, 50 + 192 * (k / 2) + 40, 128, 110) > 500;
    };
    const Shot s =
        roller.settled([&](const Shot& shot) { return dieShown(shot, 0) && dieShown(shot, 2); });
    ASSERT_FALSE(s.empty()) << "no third die";
    for (int k : {0, 1, 2})
        EXPECT_TRUE(dieShown(s, k)) << "die " << k;
    EXPECT_FALSE(dieShown(s, 3)) << "a fourth die";
    roller.x.xdo("key alt+F4");
    EXPECT_EQ(roller.child.finish(20).exitStatus, 0);
}

// A face picture or a window icon missing, or a face with one byte of its image data
// damaged, ends the roller at start with its message and status 1.
TEST(RollerE2e, BrokenMediaEndsItAtStart) {
    namespace fs = std::filesystem;
    setenv("ALSOFT_DRIVERS", "null", 1);
    const std::pair<const char*, const char*> cases[] = {
        {"d4/1.png", "ERROR: media/d4/1.png\n"},
        {"icons/kelvarro-32.png", "ERROR: media/icons/kelvarro-32.png\n"},
        {"d12/7.png", "ASSERTION FAILED: "}};
    for (const auto& [face, first] : cases) {
        char made[] = "/tmp/tovrik-e2e-media-XXXXXX";  // its own: suites may run side by side
        ASSERT_NE(mkdtemp(made), nullptr);
        const fs::path dir = made;
        fs::copy(SOURCE "/media", dir / "media", fs::copy_options::recursive);
        std::fstream file(dir / "media" / face, std::ios::in | std::ios::out | std::ios::binary);
        const char byte = char(file.seekg(30000).peek() ^ 1);
        file.seekp(30000).put(byte);
        file.close();
        if (first[0] == 'E')
            fs::remove(dir / "media" / face);
        const ChildResult run = runProgram({PROGRAM}, dir);
        EXPECT_EQ(run.exitStatus, 1) << face;
        EXPECT_EQ(run.out.rfind(first, 0), 0u) << run.out << run.err;
        fs::remove_all(dir);
    }
}

}  // namespace
