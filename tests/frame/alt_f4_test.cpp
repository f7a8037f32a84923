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

    // F4 alone and Alt with another key leave the loop running until q stops it.
    bool sent = false;
    ASSERT_TRUE(runLoop([&](LoopScript& loop) {
        if (!sent) {
            sent = xdo("key F4 alt+a q");
        } else if (receivedKey('q')) {
            loop.stop();
        }
    }));
    ASSERT_TRUE(receivedKey('q')) << "F4 or Alt+a ended the loop";
    EXPECT_TRUE(receivedKey(K::KEYASCII_F4) && receivedKey('a'));
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
