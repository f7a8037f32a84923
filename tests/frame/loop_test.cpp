// The main loop as the application sees it: idle until input, busy while update() says so,
// window sizes adopted only when idle, frame steps paced.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Harness.h"
#include "OpenGLApp.h"
#include "Utils.h"

namespace {

using Loop = WindowTest;

// X input sent to the sleeping loop: what reaches a handler wakes it for a frame; pointer
// motion and the keys without a code (Home, End, Insert) reach none and leave it asleep.
// Every row ends by moving the pointer somewhere new, which shows when all of it was handled.
TEST_F(Loop, IdleLoopWakesOnlyForInputThatReachesTheApplication) {
    Script& s = theApp().s;
    const MouseManager& mouse = *theApp().getMouseManager();
    const struct {
        const char* name;
        const char* input;
        bool wakes;
    } rows[] = {{"a key", "key k", true},
                {"pointer button 5, above the wheel", "click 6", true},
                {"Home, End and Insert", "key Home End Insert", false},
                {"pointer motion", "", false}};
    int x = 10;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        s.renderSteps.clear();
        const Int2 to(x += 10, 40);
        int moved = 0, last = 0;
        ASSERT_TRUE(runLoop([&](int step) {
            if (step == 3)  // asleep since its frame of the first step
                xdo(row.input + (" mousemove --window WIN " + std::to_string(to.x())) + " 40");
            if (moved == 0 && step > 3 && mouse.getMouseRealPosition() == to)
                moved = step;
            last = step;
            return moved > 0 && step >= moved + 3;
        }));
        // The run's end wakes the loop for a frame counted in its last step.
        const bool woke = std::any_of(s.renderSteps.begin(), s.renderSteps.end(),
                                      [&](int at) { return at > 3 && at < last; });
        EXPECT_EQ(woke, row.wakes) << testing::PrintToString(s.renderSteps);
    }
}

// An input handled in the step that draws the idle frame, just before the wait, is not slept
// through: the next step draws again.
TEST_F(Loop, AnInputJustBeforeTheIdleWaitIsNotSleptThrough) {
    Script& s = theApp().s;
    int idleFrom = -1;  // the step that draws the first idle frame
    s.update = [&] {
        if (s.step < 3)
            return true;
        if (idleFrom < 0)
            idleFrom = s.step + 1;
        return false;
    };
    ASSERT_TRUE(runLoop([&](int step) {
        if (step == idleFrom)  // before that step's frame
            OpenGLApp_onKeyDownSpecial(GLUT_KEY_F5, 0, 0);
        return idleFrom > 0 && step == idleFrom + 10;
    }));
    ASSERT_EQ(s.received.size(), 1u);
    EXPECT_NE(std::find(s.renderSteps.begin(), s.renderSteps.end(), idleFrom + 1),
              s.renderSteps.end())
        << "no frame after the input of step " << idleFrom;
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
    theApp().s.update = [&] {
        steps.push_back(Utils::getMicrosecondTime());
        return true;
    };
    ASSERT_TRUE(
        runLoop([&](int) { return steps.size() > 1 && steps.back() - steps[0] > 1500000; }));
    const double perSecond = (steps.size() - 1) / ((steps.back() - steps.front()) / 1e6);
    // A step may come up to 1 ms early (whole milliseconds of sleep); no lower bound, as a
    // loaded machine's software-rendered swaps may take any time.
    EXPECT_LE(perSecond, 111.2);
}

}  // namespace
