// What the loop presents: a swap only for a frame drawn since the last one, and a frame
// drawn again whenever the window system needs the window's contents back.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <functional>

#include "Harness.h"
#include "Utils.h"
#include "XInput.h"

namespace {

int swaps = 0;
int swapsWithoutFrame = 0;  // swaps that showed no frame drawn since the previous one
size_t rendersAtLastSwap = 0;

}  // namespace

// The library's swap, counted (the test program links with --wrap=glutSwapBuffers).
extern "C" void __real_glutSwapBuffers();
extern "C" void __wrap_glutSwapBuffers() {
    const size_t renders = theApp().s.renderSteps.size();
    swaps++;
    swapsWithoutFrame += renders == rendersAtLastSwap;
    rendersAtLastSwap = renders;
    __real_glutSwapBuffers();
}

namespace {

class Present : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        swapsWithoutFrame = 0;
        rendersAtLastSwap = theApp().s.renderSteps.size();
    }
};

// Two seconds idle: steps go on polling, but nothing is drawn or swapped. A key is then
// handled, and the frame drawn in answer is shown.
TEST_F(Present, AnIdleLoopSwapsNothingAndAKeyWakesIt) {
    Script& s = theApp().s;
    enum { SETTLING, IDLE, WOKEN } phase = SETTLING;
    size_t renders = 0;
    int quiet = 0, idleFrom = 0, idleSwaps = 0, idleSteps = 0, keySwaps = 0;
    size_t idleRenders = 0;
    long long idleStart = 0;
    ASSERT_TRUE(runLoop([&](int step) {
        quiet = s.renderSteps.size() == renders ? quiet + 1 : 0;
        renders = s.renderSteps.size();
        if (phase == SETTLING && quiet == 5) {
            phase = IDLE;
            idleFrom = swaps;
            idleSteps = step;
            idleRenders = renders;
            idleStart = Utils::getMicrosecondTime();
        } else if (phase == IDLE && Utils::getMicrosecondTime() - idleStart > 2000000) {
            phase = WOKEN;
            idleSwaps = swaps - idleFrom;
            idleSteps = step - idleSteps;
            EXPECT_EQ(idleRenders, renders) << "frames drawn while idle";
            keySwaps = swaps;
            EXPECT_TRUE(xdo("key k"));
        }
        return phase == WOKEN && !s.received.empty() && swaps > keySwaps;
    })) << "the key was not handled, or the frame drawn for it not shown";
    EXPECT_EQ(0, idleSwaps) << "buffers swapped while idle";
    EXPECT_GT(idleSteps, 20) << "the idle loop stopped polling";
    EXPECT_EQ(0, swapsWithoutFrame) << "a swap showed no new frame";
}

// Whatever took the window's contents away, the loop draws and shows its frame again at
// its next poll, without any input.
TEST_F(Present, AWindowShownAgainGetsItsFrameBackWithoutInput) {
    XWindow window;  // read back as the screen shows it
    ASSERT_TRUE(window.find(MainClass::TITLE, 10, [] { return true; }));
    ASSERT_TRUE(xdo("windowmove --sync WIN 0 0"));
    Script& s = theApp().s;
    s.render = [] { theApp().getDisplay()->clearScreen(Color(40, 160, 90, 255)); };
    const auto shown = [&] { return window.shot().is(320, 240, {40, 160, 90}); };
    // Hidden, or off the screen: without backing store the server keeps nothing.
    const struct {
        const char* what;
        const char *hide, *show;
    } cases[] = {{"unmapped and mapped again", "windowunmap --sync WIN", "windowmap --sync WIN"},
                 {"moved off the screen and back", "windowmove --sync WIN -2000 0",
                  "windowmove --sync WIN 0 0"}};
    for (const auto& c : cases) {
        int restored = -1, shownAgain = -1;
        bool lost = false;
        ASSERT_TRUE(runLoop(
            [&](int step) {
                if (restored < 0 && step > 5 && shown() && xdo(c.hide) && xdo(c.show)) {
                    // Nothing of the loop ran in between: the window shows no frame now.
                    lost = !shown();
                    restored = step;
                    s.received.clear();
                } else if (restored >= 0 && shown()) {
                    shownAgain = step;
                }
                return shownAgain >= 0 || (restored >= 0 && step > restored + 50);
            },
            10000))
            << c.what;
        EXPECT_TRUE(lost) << c.what << ": the window kept its contents, nothing to test";
        EXPECT_GT(shownAgain, restored) << c.what << ": not shown again";
        EXPECT_TRUE(s.received.empty()) << c.what << ": input reached the handlers";
    }
}

}  // namespace
