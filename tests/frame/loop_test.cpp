// The main loop as the application sees it: idle until input, busy while update() says so,
// window sizes adopted only when idle, frame steps paced.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Display.h"
#include "Harness.h"
#include "MouseManager.h"
#include "OpenGLApp.h"
#include "Utils.h"

namespace {

class Loop : public ::testing::Test {
protected:
    void SetUp() override {
        theApp().reset();
        ASSERT_TRUE(xdo("windowfocus --sync WIN"));
    }
};

TEST_F(Loop, IdleLoopSleepsThroughMotionAndUnknownKeysAndWakesOnInput) {
    MainClass& app = theApp();
    MouseManager* mouse = app.getMouseManager();

    // Each way of waking the loop, tried in turn once it sleeps.
    std::vector<std::function<void()>> wakes(5, [] { xdo("key k"); });
    wakes.insert(wakes.end(), {
                                  [] { xdo("click 6"); },  // GLUT button 5, above the wheel
                                  [] { OpenGLApp_onPointerPressedOrReleased(7, GLUT_DOWN, 3, 4); },
                                  [] { OpenGLApp_onKeyDownSpecial(GLUT_KEY_F5, 0, 0); },
                              });
    // The last two call the callbacks from the script, inside a frame step.
    const size_t directWakes = 2;

    int phase = 0;
    int rendersBefore = 0;
    int quietSteps = 0;
    size_t receivedBefore = 0;
    bool stayedAsleep = false;
    size_t wake = 0;
    std::vector<int> stepsToFrame;

    const bool finished = runLoop([&](LoopScript& loop) {
        switch (phase) {
            case 0:  // The loop has drawn once and sleeps: poke it with what must not wake it.
                if (app.renders == 0) {
                    return;
                }
                rendersBefore = app.renders;
                OpenGLApp_onPointerMovingPassive(11, 22);
                OpenGLApp_onPointerMovingActive(12, 23);
                for (int key : {GLUT_KEY_HOME, GLUT_KEY_END, GLUT_KEY_INSERT}) {
                    OpenGLApp_onKeyDownSpecial(key, 0, 0);
                    OpenGLApp_onKeyUpSpecial(key, 0, 0);
                }
                // The motion comes after the keys: once it arrived, so did they.
                xdo("key Home End Insert");
                xdo("mousemove --window WIN 30 40");
                phase = 1;
                return;
            case 1:  // Five more sleeping steps after the last of it arrived.
                if (mouse->getMousePosition() == Int2(30, 40) && ++quietSteps == 5) {
                    stayedAsleep = app.renders == rendersBefore && app.received.empty();
                    phase = 2;
                }
                return;
            case 2:  // Asleep again (no new frame for three steps): wake it.
                if (app.renders != rendersBefore) {
                    rendersBefore = app.renders;
                    quietSteps = 0;
                    return;
                }
                if (++quietSteps < 3) {
                    return;
                }
                if (wake == wakes.size()) {
                    loop.stop();
                    return;
                }
                receivedBefore = app.received.size();
                wakes[wake]();
                phase = 3;
                return;
            case 3:  // Woken: how many frame steps from the handler to the next frame?
                if (app.renders == rendersBefore) {
                    return;
                }
                if (app.received.size() > receivedBefore) {
                    stepsToFrame.push_back(app.renderSteps[rendersBefore] -
                                           app.received[receivedBefore].step);
                }
                wake++;
                phase = 2;
                return;
        }
    });

    ASSERT_TRUE(finished) << "stuck in phase " << phase << " at wake " << wake;
    EXPECT_TRUE(stayedAsleep) << "motion or keys without a code woke the loop";
    ASSERT_EQ(wakes.size(), stepsToFrame.size()) << "every wake reached a handler";
    // An input handled in a waiting step ends the wait there: the frame is drawn after the
    // next step. An X event is handled before that step's script runs (one step more to
    // count than for a callback called from the script). Polling once more would add a step.
    for (size_t i = 0; i < wakes.size(); i++) {
        const int expected = i < wakes.size() - directWakes ? 2 : 1;
        EXPECT_EQ(expected, stepsToFrame[i]) << "wake " << i;
    }
}

TEST_F(Loop, ResizeWhileBusyWaitsUntilTheApplicationIdles) {
    ASSERT_TRUE(resizeWindow(640, 480));
    MainClass& app = theApp();
    app.reset();

    bool busy = true;
    int busyStepsWithNewSizePending = 0;
    bool busyFramesKeptTheOldSize = true;
    app.updateScript = [&] { return busy; };
    app.renderScript = [&] {
        if (busy && !(app.getDisplay()->getWindowSize() == Int2(640, 480))) {
            busyFramesKeptTheOldSize = false;
        }
    };
    const bool finished = runLoop([&](LoopScript& loop) {
        if (loop.ticks == 3) {
            xdo("windowsize --sync WIN 700 500");
        }
        if (busy && glutGet(GLUT_WINDOW_WIDTH) == 700 && glutGet(GLUT_WINDOW_HEIGHT) == 500 &&
            ++busyStepsWithNewSizePending == 5) {
            busy = false;
        }
        if (!app.received.empty()) {
            loop.stop();
        }
    });
    ASSERT_TRUE(finished);
    EXPECT_EQ(5, busyStepsWithNewSizePending);
    EXPECT_TRUE(busyFramesKeptTheOldSize);
    ASSERT_EQ(1u, app.received.size());
    EXPECT_EQ(Received::RESIZE, app.received[0].kind);
    EXPECT_EQ(Int2(700, 500), app.received[0].windowSize) << "the new size is in effect";
    EXPECT_EQ(Int2(700, 500), app.getDisplay()->getWindowSize());
}

// An input handled in the step that comes before an idle frame (here one that makes
// the application busy) ends the wait that follows that frame.
TEST_F(Loop, InputJustBeforeAnIdleFrameIsNotSleptThrough) {
    MainClass& app = theApp();
    bool busy = false;
    app.updateScript = [&] { return busy; };
    int phase = 0, quiet = 0, before = 0, steps = 0;
    ASSERT_TRUE(runLoop([&](LoopScript& loop) {
        if (phase == 0 && app.renders != before) {
            before = app.renders;
            quiet = 0;
        } else if (phase == 0 && ++quiet == 3) {  // asleep: wake it
            OpenGLApp_onKeyDownSpecial(GLUT_KEY_F5, 0, 0);
            phase = 1;
        } else if (phase == 1 && app.renders == before + 1) {
            // The woken frame is drawn; the idle frame is drawn after this step.
            OpenGLApp_onKeyDownSpecial(GLUT_KEY_F6, 0, 0);
            busy = true;
            phase = 2;
        } else if (phase == 2 && ++steps == 20) {
            loop.stop();
        }
    }));
    EXPECT_GT(app.renders, before + 10) << "the loop slept through the input";
}

// A figure rather than a timing check: about 100 steps a second, never much more.
TEST_F(Loop, BusyModeIsPacedToAboutOneHundredStepsPerSecond) {
    MainClass& app = theApp();
    std::vector<long long> steps;
    app.updateScript = [&] {
        steps.push_back(Utils::getMicrosecondTime());
        return true;
    };
    ASSERT_TRUE(runLoop([&](LoopScript& loop) {
        if (Utils::getMicrosecondTime() - loop.startTime > 1500000) {
            loop.stop();
        }
    }));
    ASSERT_GT(steps.size(), 2u);
    const double seconds = (steps.back() - steps.front()) / 1e6;
    const double perSecond = (steps.size() - 1) / seconds;
    // The sleep is truncated to whole milliseconds, so a step may come up to 1 ms early:
    // 9 ms at least, 111 a second at most. On a loaded machine a software-rendered swap
    // alone can take 10 ms: the lower bound only catches a pacing gone badly wrong.
    EXPECT_LE(perSecond, 111.2);
    EXPECT_GE(perSecond, 20.0);
}

}  // namespace
