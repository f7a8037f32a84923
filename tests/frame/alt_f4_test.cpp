// Alt+F4 ends the main loop for good, so these tests run in a process of their own.
#include <gtest/gtest.h>

#include "Harness.h"
#include "KeyboardManager.h"

namespace {

typedef KeyboardManager K;

bool receivedKey(int code) {
    for (const Received& r : theApp().received) {
        if (r.kind == Received::KEY_DOWN && r.code == code) {
            return true;
        }
    }
    return false;
}

TEST(AltF4, EndsTheLoopAfterDeliveringF4WhileF4AloneOrAltWithOtherKeysDoNot) {
    MainClass& app = theApp();
    app.reset();
    app.readModifiers = true;
    ASSERT_TRUE(xdo("windowfocus --sync WIN"));

    // F4, then Alt+a, then q, each sent once the one before was delivered; q ends the run.
    int sent = 0;
    bool endedByQ = false;
    ASSERT_TRUE(runLoop([&](LoopScript& loop) {
        if (sent == 0) {
            xdo("key F4");
            sent = 1;
        } else if (sent == 1 && receivedKey(K::KEYASCII_F4)) {
            xdo("key alt+a");
            sent = 2;
        } else if (sent == 2 && receivedKey('a')) {
            xdo("key q");
            sent = 3;
        } else if (sent == 3 && receivedKey('q')) {
            endedByQ = true;
            loop.stop();
        }
    }));
    EXPECT_TRUE(endedByQ);
    ASSERT_GE(app.received.size(), 3u);
    EXPECT_FALSE(app.received[0].alt);

    // Alt+F4: the loop ends by itself once F4 has been delivered.
    app.reset();
    app.readModifiers = true;
    bool sentAltF4 = false;
    ASSERT_TRUE(runLoop(
        [&](LoopScript&) {
            if (!sentAltF4) {
                xdo("key alt+F4");
                sentAltF4 = true;
            }
        },
        10000))
        << "Alt+F4 did not end the loop";
    const Received* f4 = nullptr;
    for (const Received& r : app.received) {
        if (r.kind == Received::KEY_DOWN && r.code == K::KEYASCII_F4) {
            f4 = &r;
        }
    }
    ASSERT_NE(nullptr, f4) << "F4 reached the handler";
    EXPECT_TRUE(f4->alt);
    EXPECT_TRUE(f4->keyHeld) << "the keyboard manager recorded F4 before the handler ran";
}

}  // namespace
