// The real dice roller with the real media, driven through X input on a private display.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

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

    // Window found and first frame drawn. A first frame drawn before the window was mapped
    // is lost and the roller draws again only after input: a key it ignores brings it back.
    bool open() {
        if (!x.find("Kelvarro \\(desktop version\\)", 20, [&] { return !child.exited(); }) ||
            !x.xdo("windowmove --sync WIN 0 0") || !x.xdo("mousemove --window WIN 1 1"))
            return false;
        for (int tries = 0; tries < 10; ++tries, x.xdo("key 3")) {
            const auto deadline = Clock::now() + std::chrono::seconds(3);
            while (Clock::now() < deadline && !child.exited())
                if (x.shot().is(560, 300, {200, 200, 200}))
                    return true;
        }
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

// A border-grey line along row y (or column x) from a to b, 3 pixels thick somewhere
// within 2 pixels of it.
bool line(const Shot& s, bool horizontal, int at, int a, int b) {
    for (int along = a; along <= b; along += 5) {
        bool found = false;
        for (int d = -2; d <= 2 && !found; ++d)
            found =
                s.is(horizontal ? along : at + d, horizontal ? at + d : along, {150, 150, 150}, 4);
        if (!found)
            return false;
    }
    return true;
}

bool framed(const Shot& s, At p, int width, int height) {
    return line(s, true, p.y, p.x + 12, p.x + width - 12) &&
           line(s, true, p.y + height, p.x + 12, p.x + width - 12) &&
           line(s, false, p.x, p.y + 12, p.y + height - 12) &&
           line(s, false, p.x + width, p.y + 12, p.y + height - 12);
}

// The darkest channel in a rectangle.
int darkest(const Shot& s, int x0, int y0, int x1, int y1) {
    int result = 255;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            result = std::min({result, s.at(x, y).r, s.at(x, y).g, s.at(x, y).b});
    return result;
}

// The key shows one die with one of its faces and the roll sound is heard after it. Every
// element is at its place in each reference window, in both modes: the mode button of the
// current mode is its open tab (veiled, frameless, without top line), the tab line runs from
// it to 10 pixels right of "Multiple dice". Escape ends the program with status 0.
TEST(RollerE2e, RollsWithSoundAndFollowsTheWindowSizeInBothModes) {
    char dir[] = "/tmp/tovrik-e2e-sound-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string recording = std::string(dir) + "/out.wav";
    std::ofstream(std::string(dir) + "/alsoft.conf")
        << "[general]\ndrivers=wave\nsample-type=int16\n[wave]\nfile=" << recording << "\n";
    // The roller inherits the settings; this program itself plays nothing.
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("ALSOFT_CONF", (std::string(dir) + "/alsoft.conf").c_str(), 1);
    RealRoller roller;
    ASSERT_TRUE(roller.open());
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
    ASSERT_FALSE(rolled.empty()) << "the dice area shows exactly one of the six faces";
    for (bool oneDie : {true, false}) {
        roller.x.xdo(oneDie ? "key s" : "key m");
        for (const Layout& r : LAYOUTS) {
            SCOPED_TRACE(testing::Message()
                         << r.width << " x " << r.height << " one die " << oneDie);
            const int w = r.buttonWidth, h = r.buttonHeight;
            const At tab = oneDie ? r.simple : r.multi, other = oneDie ? r.multi : r.simple;
            roller.x.xdo("windowsize --sync WIN " + std::to_string(r.width) + " " +
                         std::to_string(r.height));
            const Shot s = roller.settled([&](const Shot& shot) {
                return shot.width == r.width && shot.height == r.height &&
                       framed(shot, other, w, h) && framed(shot, r.clear, w, h) != oneDie;
            });
            ASSERT_FALSE(s.empty());
            for (const At& place : r.entries)
                EXPECT_TRUE(framed(s, place, w, h)) << place.x << ", " << place.y;
            EXPECT_EQ(framed(s, r.reroll, w, h), !oneDie);
            EXPECT_FALSE(line(s, true, tab.y, tab.x + 12, tab.x + w - 12));
            EXPECT_GT(darkest(s, tab.x + 4, tab.y + 4, tab.x + w - 4, tab.y + h - 4), 105);
            EXPECT_LT(darkest(s, other.x + 4, other.y + 4, other.x + w - 4, other.y + h - 4), 90);
            const int y0 = tab.y - 5, left = tab.x - 5, right = tab.x + w + 5;
            const int end = r.multi.x + w + 10;
            EXPECT_TRUE(line(s, true, y0, right, end));
            EXPECT_TRUE(line(s, false, right, y0 + 3, r.height - 3));
            EXPECT_TRUE(line(s, false, end, y0 + 3, r.height - 3));
            EXPECT_EQ(line(s, true, y0, 2, left - 5) && line(s, false, left, y0 + 3, r.height - 3),
                      !oneDie);
            EXPECT_GT(darkest(s, left + 5, y0 - 1, right - 5, y0 + 1), 195) << "the tab's top";
            EXPECT_GT(darkest(s, end + 5, y0 - 1, end + 30, y0 + 1), 195) << "past the tab line";
        }
    }
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

// A face picture missing, or with one byte of its image data damaged, ends the roller at
// start with its message and status 1.
TEST(RollerE2e, BrokenMediaEndsItAtStart) {
    namespace fs = std::filesystem;
    setenv("ALSOFT_DRIVERS", "null", 1);  // whatever another test here recorded with
    const std::pair<const char*, const char*> cases[] = {{"d4/1.png", "ERROR: media/d4/1.png\n"},
                                                         {"d12/7.png", "ASSERTION FAILED: "}};
    for (const auto& [face, first] : cases) {
        char made[] = "/tmp/tovrik-e2e-media-XXXXXX";  // its own: suites may run side by side
        ASSERT_NE(mkdtemp(made), nullptr);
        const fs::path dir = made;
        fs::copy(SOURCE "/media", dir / "media", fs::copy_options::recursive);
        std::fstream file(dir / "media" / face, std::ios::in | std::ios::out | std::ios::binary);
        const char byte = char(file.seekg(30000).peek() ^ 1);
        file.seekp(30000).put(byte), file.close();
        if (first[0] == 'E')
            fs::remove(dir / "media" / face);
        const ChildResult run = runProgram({PROGRAM}, dir);
        EXPECT_EQ(run.exitStatus, 1) << face;
        EXPECT_EQ(run.out.rfind(first, 0), 0u) << run.out;
        fs::remove_all(dir);
    }
}

}  // namespace
