// Alt+F4 ends the main loop for good, so this test runs in a process of its own.
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

typedef KeyboardManager K;

const Received* lastPress(int code) {
    const Received* found = nullptr;
    for (const Received& r : theApp().s.received)
        if (r.kind == Received::KEY_DOWN && r.code == code)
            found = &r;
    return found;
}

TEST(AltF4, EndsTheLoopOnlyTogetherAndModifiersComeFromTheEvent) {
    ASSERT_TRUE(resetApp());
    Script& s = theApp().s;
    s.readModifiers = true;
    // F4 alone and Alt with another key leave the loop running until q stops it.
    bool sent = false;
    ASSERT_TRUE(runLoop([&](int) {
        sent = sent || xdo("key F4 alt+a ctrl+shift+F2 q");
        return lastPress('q') != nullptr;
    })) << "F4 or Alt+a ended the loop";
    const struct {
        int code;
        bool alt, ctrl, shift;
    } presses[] = {{K::KEYASCII_F4, false, false, false},
                   {'a', true, false, false},
                   {K::KEYASCII_F2, false, true, true}};
    for (const auto& p : presses) {
        const Received* r = lastPress(p.code);
        ASSERT_NE(nullptr, r) << p.code;
        EXPECT_TRUE(r->alt == p.alt && r->ctrl == p.ctrl && r->shift == p.shift) << p.code;
    }
    // Modifiers have no code of their own: nothing is left held.
    for (int code = 0; code < K::KEYASCII_SHIFT; code++)
        ASSERT_FALSE(theApp().getKeyboardManager()->getKey(code)) << code;

    // Alt+F4: the loop ends by itself once F4 has been delivered, held and with Alt.
    s.received.clear();
    sent = false;
    ASSERT_TRUE(runLoop([&](int) { return sent = sent || xdo("key alt+F4"), false; }))
        << "Alt+F4 did not end the loop";
    const Received* f4 = lastPress(K::KEYASCII_F4);
    ASSERT_NE(nullptr, f4);
    EXPECT_TRUE(f4->alt && f4->held);
}

}  // namespace
