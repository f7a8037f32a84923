// The roller and the hello example built for the web, in Debian's Chromium: keys and
// touches through the DevTools protocol, screenshots of the page, the page's own state.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "Browser.h"
#include "Layouts.h"

namespace {

const std::string STARTED = "page.windowCreated && !page.ended && canvas.width == innerWidth";

// The page once `done` has held, the picture unchanged, for longer than a roll lasts; an
// empty shot after 30 seconds.
Shot settled(Browser& page, const std::function<bool(const Shot&)>& done = nullptr) {
    Shot last;
    for (int tries = 0, still = 0; tries < 300; ++tries) {
        Shot shot = page.screenshot();
        still =
            !shot.empty() && shot.pixels == last.pixels && (!done || done(shot)) ? still + 1 : 0;
        if (still == 4)
            return shot;
        last = std::move(shot);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return Shot();
}

// A button's border: grey along its four sides, within two pixels of them.
bool framed(const Shot& s, At p, int w, int h) {
    auto grey = [&](int x, int y, int dx, int dy) {
        for (int d = -2; d <= 2; ++d)
            if (s.is(x + d * dx, y + d * dy, {150, 150, 150}, 4))
                return true;
        return false;
    };
    for (int a = 12; a <= w - 12; a += 5)
        if (!grey(p.x + a, p.y, 0, 1) || !grey(p.x + a, p.y + h, 0, 1))
            return false;
    for (int a = 12; a <= h - 12; a += 5)
        if (!grey(p.x, p.y + a, 1, 0) || !grey(p.x + w, p.y + a, 1, 0))
            return false;
    return true;
}

// The page is the window: its title, the whole viewport and nothing else. `2` rolls a d20
// whose face is one of the twenty in the reference position, and the roll sound plays.
TEST(WebRoller, OneDieRollsAD20WithItsSound) {
    Browser page("", 1024, 768);
    ASSERT_TRUE(page.waitFor(STARTED, 30)) << "the roller started";
    EXPECT_EQ(page.evaluate("[document.title, scrollX, scrollY, document.body.scrollWidth, "
                            "document.body.scrollHeight, canvas.width, canvas.height]"),
              "Kelvarro (web version),0,0,1024,768,1024,768");
    page.key("2");
    const Shot rolled = settled(page, [](const Shot& s) {
        int faces = 0;
        for (int face = 1; face <= 20; ++face)
            faces += mismatchToFace(s, SOURCE "/media/d20/" + std::to_string(face) + ".png") < 150;
        return faces == 1;
    });
    EXPECT_FALSE(rolled.empty()) << "the dice area shows exactly one of the twenty d20 faces";
    EXPECT_EQ(page.evaluate("[page.soundsStarted, page.audioRan]"), "1,true")
        << "the roll sound started once, its audio ran";
}

// In each reference window size the panel sits where the desktop roller puts it; a touch
// on the Multiple dice tab acts as a click and brings Clear and Reroll.
TEST(WebRoller, LayoutsFollowTheViewportAndATouchIsAClick) {
    Browser page("", 1024, 768);
    ASSERT_TRUE(page.waitFor(STARTED, 30)) << "the roller started";
    for (const Layout& r : LAYOUTS) {
        SCOPED_TRACE(testing::Message() << r.width << " x " << r.height);
        const int w = r.buttonWidth, h = r.buttonHeight;
        // A new size alone, the roller idle, brings the new layout: one of the tabs in place.
        page.resize(r.width, r.height);
        const auto tab = [&](const Shot& s) {
            return s.width == r.width && (framed(s, r.simple, w, h) || framed(s, r.multi, w, h));
        };
        ASSERT_FALSE(settled(page, tab).empty()) << "the layout of the new size, without input";
        page.key("s");
        const Shot one = settled(
            page, [&](const Shot& s) { return s.width == r.width && framed(s, r.multi, w, h); });
        ASSERT_FALSE(one.empty()) << "the Multiple dice tab at its place";
        for (const At& place : r.entries)
            EXPECT_TRUE(framed(one, place, w, h))
                << "a die entry at " << place.x << ", " << place.y;
        EXPECT_FALSE(framed(one, r.clear, w, h)) << "no Clear button in one-die mode";
        const std::string at = "{\"x\":" + std::to_string(r.multi.x + w / 2) +
                               ",\"y\":" + std::to_string(r.multi.y + h / 2) + "}";
        page.call("Input.dispatchTouchEvent",
                  "\"type\":\"touchStart\",\"touchPoints\":[" + at + "]");
        page.call("Input.dispatchTouchEvent", "\"type\":\"touchEnd\",\"touchPoints\":[]");
        const auto both = [&](const Shot& s) {
            return framed(s, r.clear, w, h) && framed(s, r.reroll, w, h);
        };
        EXPECT_FALSE(settled(page, both).empty()) << "Clear and Reroll shown after the touch";
    }
}

// A dozen mixed dice, then space: the heap is rolled with its sound. The heap stops at 200
// dice: ten more picks change nothing.
TEST(WebRoller, MultipleDiceRollAndStopAtTwoHundred) {
    Browser page("", 1024, 768);
    ASSERT_TRUE(page.waitFor(STARTED, 30)) << "the roller started";
    for (char key : std::string("m468012468012"))
        page.key(std::string(1, key));
    const Shot heap = settled(page);
    ASSERT_FALSE(heap.empty()) << "the heap drawn";
    page.key(" ", ' ');
    const Shot rolled = settled(page);
    EXPECT_NE(heap.pixels, rolled.pixels) << "the heap was rolled";
    EXPECT_EQ(page.evaluate("page.soundsStarted"), "1") << "the roll sound, once";
    for (int i = 12; i < 200; ++i)
        page.key("4");
    const Shot full = settled(page);
    for (int i = 0; i < 10; ++i)
        page.key("6");
    EXPECT_NE(rolled.pixels, full.pixels) << "dice were added";
    EXPECT_TRUE(settled(page).pixels == full.pixels) << "no die past the 200th";
}

// A missing picture stops the roller at start, its message on the page; Escape ends a
// running one, and the page says so. The hello example, built with the same CMake, draws,
// chimes on space and ends alike.
TEST(WebRoller, EndsWithItsMessageOnThePage) {
    // The picture goes from the program's files just before it starts.
    const std::string withoutPicture =
        "Object.defineProperty(window, 'Module', {configurable: true, set(m) {"
        "  delete window.Module; window.Module = m;"
        "  m.onRuntimeInitialized = () => m.FS_unlink('/media/d4/1.png'); }});";
    const struct {
        std::string page, before, keys, ended;
    } cases[] = {
        {"", withoutPicture, "", "1,0,Kelvarro has stopped.,ERROR: media/d4/1.png"},
        {"", "", "", "0,0,Kelvarro has ended.,"},
        {"hello.html", "", " ", "0,1,hello has ended.,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page + (c.before.empty() ? "" : " without a picture"));
        Browser page(c.page, 640, 480, c.before);
        if (c.before.empty()) {
            ASSERT_TRUE(page.waitFor(STARTED, 30)) << "the program started";
            const auto drawn = [](const Shot& s) { return !(s.at(5, 5) == Rgb{0, 0, 0}); };
            EXPECT_FALSE(settled(page, drawn).empty()) << "it drew its frame";
            for (char key : c.keys)
                page.key(std::string(1, key));
            page.key("Escape", 27);
        }
        ASSERT_TRUE(page.waitFor("page.ended", 30)) << "the page says the program ended";
        EXPECT_EQ(page.evaluate("[page.exitStatus, page.soundsStarted, said.textContent, "
                                "details.textContent.slice(0, 21)]"),
                  c.ended)
            << "exit status, sounds played, what the page says";
    }
}

}  // namespace
