// The main loop as the application sees it: idle until input, busy while update() says so,
// window sizes adopted only when idle, frame steps paced.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <vector>

#include "Harness.h"
#include "OpenGLApp.h"
#include "Utils.h"

namespace {

using Loop = WindowTest;

TEST_F(Loop, IdleLoopWakesOnInputForTheNextFrame) {
    Script& s = theApp().s;
    // Each way of waking the loop, and the frame steps from its handler to the next frame:
    // an input handled in a waiting step ends the wait there, so the frame comes after the
    // next step. X events are handled before that step's script, callbacks called from the
    // script after it: one step fewer to count.
    const std::pair<std::function<void()>, int> wakes[] = {
        {[] { xdo("key k"); }, 2},
        {[] { xdo("click 6"); }, 2},  // GLUT button 5, above the wheel
        {[] { OpenGLApp_onPointerPressedOrReleased(7, GLUT_DOWN, 3, 4); }, 1},
        {[] { OpenGLApp_onKeyDownSpecial(GLUT_KEY_F5, 0, 0); }, 1}};
    size_t renders = 0, received = 0, wake = 0, measured = 0;
    int quiet = 0;
    bool pending = false;
    const bool finished = runLoop([&](int) {
        if (s.renderSteps.size() != renders) {  // a new frame: the loop is awake
            if (pending && s.received.size() > received) {
                EXPECT_EQ(wakes[wake].second, s.renderSteps[renders] - s.received[received].step)
                    << "wake " << wake;
                measured++;
            }
            wake += pending;
            pending = false;
            renders = s.renderSteps.size();
            quiet = 0;
        } else if (++quiet == 5) {
            // Five sleeping steps since the last frame: wake it with the next input.
            if (wake == std::size(wakes))
                return true;
            received = s.received.size();
            wakes[wake].first();
            pending = true;
        }
        return false;
    });
    ASSERT_TRUE(finished) << "stuck at wake " << wake;
    EXPECT_EQ(std::size(wakes), measured) << "every wake reached a handler";
}

// A size that arrives while the application is busy waits until it idles; one that arrives
// while it sleeps wakes it for a frame at the new size.
TEST_F(Loop, ResizesAreAdoptedWhenIdleAndDrawnAtOnce) {
    ASSERT_TRUE(resizeWindow(640, 480));
    theApp().s.received.clear();
    Script& s = theApp().s;
    Display* display = theApp().getDisplay();
    int pending = 0;
    bool busyKeptTheOldSize = true, drawnAtTheNewSize = false;
    s.update = [&] { return pending < 5; };
    s.render = [&] {
        busyKeptTheOldSize &= pending >= 5 || display->getWindowSize() == Int2(640, 480);
        drawnAtTheNewSize = display->getWindowSize() == Int2(720, 520);
    };
    ASSERT_TRUE(runLoop([&](int steps) {
        if (steps == 3)
            xdo("windowsize --sync WIN 700 500");
        pending += pending < 5 && glutGet(GLUT_WINDOW_WIDTH) == 700;
        if (s.received.size() == 1 && !drawnAtTheNewSize && steps % 50 == 0)
            xdo("windowsize --sync WIN 720 520");
        return drawnAtTheNewSize;
    })) << "no frame at the size adopted while idle";
    EXPECT_TRUE(busyKeptTheOldSize);
    ASSERT_EQ(2u, s.received.size());
    EXPECT_EQ(Received::RESIZE, s.received[0].kind);
    EXPECT_EQ(Int2(700, 500), s.received[0].windowSize) << "the new size is in effect";
}

// A figure rather than a timing check: about 100 steps a second, never much more.
TEST_F(Loop, BusyModeIsPacedToAboutOneHundredStepsPerSecond) {
    std::vector<long long> steps;
    theApp().s.update = [&] { return steps.push_back(Utils::getMicrosecondTime()), true; };
    ASSERT_TRUE(
        runLoop([&](int) { return steps.size() > 1 && steps.back() - steps[0] > 1500000; }));
    const double perSecond = (steps.size() - 1) / ((steps.back() - steps.front()) / 1e6);
    // A step may come up to 1 ms early (whole milliseconds of sleep); no lower bound, as a
    // loaded machine's software-rendered swaps may take any time.
    EXPECT_LE(perSecond, 111.2);
}

}  // namespace
