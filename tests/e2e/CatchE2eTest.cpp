// The catch example played through real X input on a private display, with a fixed seed
// so that every run sees the same pictures fall in the same places.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "Process.h"
#include "XInput.h"

namespace {

using Clock = std::chrono::steady_clock;

const Rgb WICKER = {175, 115, 55};  // the basket's lighter weave
const Rgb GROUND = {40, 110, 50};

// The basket's centre column: the middle of its weave pixels in the rows above the ground.
int basketAt(const Shot& s) {
    int sum = 0, count = 0;
    for (int y = s.height - 52; y < s.height - 12; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.is(x, y, WICKER, 12)) {
                sum += x;
                ++count;
            }
    return count > 100 ? sum / count : -1;
}

// The column of the lowest falling picture's lowest coloured pixel, -1 without one. The
// pictures are the only vivid colours between the score line and the basket.
int lowestPicture(const Shot& s) {
    for (int y = s.height - 56; y > 56; --y)
        for (int x = 0; x < s.width; ++x) {
            const Rgb c = s.at(x, y);
            if (std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 120)
                return x;
        }
    return -1;
}

// The score's pixels, at the top left.
std::vector<Rgb> score(const Shot& s) {
    std::vector<Rgb> pixels;
    for (int y = 8; y < 48; ++y)
        for (int x = 8; x < 240; ++x)
            pixels.push_back(s.at(x, y));
    return pixels;
}

// Polls the window until the condition holds for a shot; an empty shot after `seconds`.
Shot waitFor(XWindow& x, double seconds, const std::function<bool(const Shot&)>& condition) {
    const auto end = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
    while (Clock::now() < end) {
        Shot s = x.shot();
        if (!s.empty() && condition(s))
            return s;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Shot();
}

// A round: space starts it, the right arrow moves the basket, the basket put under the
// lowest falling picture by the pointer catches it and the score changes; the window
// shrinks during the round and the game adopts its size at once; Escape ends the program
// with status 0.
TEST(CatchE2e, PlaysARoundThroughKeysAndThePointer) {
    setenv("CATCH_SEED", "7", 1);
    Child game({GAME});
    XWindow x;
    ASSERT_TRUE(x.find("Catch", 20, [&] { return !game.exited(); }));
    ASSERT_TRUE(x.xdo("windowmove --sync WIN 0 0"));
    ASSERT_TRUE(x.xdo("mousemove --window WIN 400 300"));
    // A key pressed before the program listens is lost: press again until a picture falls.
    Shot s;
    for (int tries = 0; tries < 5 && s.empty(); ++tries) {
        x.xdo("key space");
        s = waitFor(x, 3, [](const Shot& shot) { return lowestPicture(shot) >= 0; });
    }
    ASSERT_FALSE(s.empty()) << "space starts a round";
    const std::vector<Rgb> before = score(s);
    const int start = basketAt(s);
    ASSERT_GT(start, 0);

    x.xdo("keydown Right");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.xdo("keyup Right");
    EXPECT_GT(basketAt(x.shot()), start + 50) << "the right arrow moves the basket";

    s = waitFor(x, 30, [&](const Shot& shot) {
        const int picture = lowestPicture(shot);
        if (picture >= 0)
            x.xdo("mousemove --window WIN " + std::to_string(picture) + " 300");
        return score(shot) != before;
    });
    ASSERT_FALSE(s.empty()) << "no catch changed the score";

    // The ground, 12 pixels high, stays 12 pixels high: the game draws for the new size
    // rather than squeezing the old picture into the window.
    ASSERT_TRUE(x.xdo("windowsize --sync WIN 560 420"));
    s = waitFor(x, 5, [](const Shot& shot) {
        return shot.width == 560 && shot.height == 420 && shot.is(10, 420 - 12, GROUND, 8) &&
               !shot.is(10, 420 - 14, GROUND, 8) && basketAt(shot) > 0;
    });
    EXPECT_FALSE(s.empty()) << "the game follows the window's new size during the round";

    x.xdo("key Escape");
    EXPECT_EQ(game.finish(20).exitStatus, 0);
}

// A seed that is not a number ends the game with a message and status 1.
TEST(CatchE2e, RejectsASeedThatIsNotANumber) {
    for (const char* seed : {"", "-3", "12x", "99999999999"}) {
        setenv("CATCH_SEED", seed, 1);
        const ChildResult run = runProgram({GAME});
        EXPECT_EQ(run.exitStatus, 1) << seed;
        EXPECT_NE(run.out.find("ERROR: CATCH_SEED must be a number"), std::string::npos) << run.out;
    }
}

}  // namespace
