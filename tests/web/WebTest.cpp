// The roller and the hello example built for the web, in Debian's Chromium: keys, clicks
// and touches through the DevTools protocol, screenshots of the page, the page's own state.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "Browser.h"
#include "Layouts.h"

namespace {

using Clock = std::chrono::steady_clock;

// The web build, served once for the whole suite.
Server& site() {
    static Server server(WEB_BUILD);
    return server;
}

const std::string STARTED = "page.windowCreated && !page.ended && canvas.width == innerWidth";

// The roller's page at that size, its first frame drawn.
std::unique_ptr<Browser> open(int width, int height, const std::string& url = site().url) {
    auto browser = std::make_unique<Browser>(url, width, height);
    EXPECT_TRUE(browser->waitFor(STARTED, 30)) << "the program did not start";
    return browser;
}

// The page once `done` has held, the picture unchanged, for longer than a roll lasts; an
// empty shot after 30 seconds.
Shot settled(Browser& browser, const std::function<bool(const Shot&)>& done) {
    Shot first;
    auto since = Clock::now();
    for (const auto end = since + std::chrono::seconds(30); Clock::now() < end;) {
        Shot s = browser.screenshot();
        if (s.empty() || s.pixels != first.pixels || !done(s)) {
            first = std::move(s);
            since = Clock::now();
        } else if (Clock::now() - since > std::chrono::milliseconds(400)) {
            return s;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Shot();
}

// A button's border: grey lines along its four sides.
bool framed(const Shot& s, At p, int width, int height) {
    auto line = [&](bool horizontal, int at, int a, int b) {
        for (int along = a; along <= b; along += 5) {
            bool found = false;
            for (int d = -2; d <= 2 && !found; ++d)
                found = s.is(horizontal ? along : at + d, horizontal ? at + d : along,
                             {150, 150, 150}, 4);
            if (!found)
                return false;
        }
        return true;
    };
    return line(true, p.y, p.x + 12, p.x + width - 12) &&
           line(true, p.y + height, p.x + 12, p.x + width - 12) &&
           line(false, p.x, p.y + 12, p.y + height - 12) &&
           line(false, p.x + width, p.y + 12, p.y + height - 12);
}

// How many of the die's faces the dice area shows (one die, 1024 x 768 window).
int facesShown(const Shot& s, int sides) {
    int matches = 0;
    for (int face = 1; face <= sides; ++face)
        matches += mismatchToFace(s, SOURCE "/media/d" + std::to_string(sides) + "/" +
                                         std::to_string(face) + ".png") < 150;
    return matches;
}

bool sameArea(const Shot& a, const Shot& b, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (!(a.at(x, y) == b.at(x, y)))
                return false;
    return true;
}

// The page is the window: its title, the whole viewport and nothing else. `2` rolls a d20
// whose face is one of the twenty, and the roll sound starts with it.
TEST(WebRoller, OneDieRollsAD20WithItsSound) {
    auto page = open(1024, 768);
    EXPECT_EQ(page->evaluate("document.title"), "Kelvarro (web version)");
    EXPECT_EQ(page->evaluate("[scrollX, scrollY, document.documentElement.scrollWidth, "
                             "document.documentElement.scrollHeight, canvas.width, "
                             "canvas.height, canvas.getBoundingClientRect().left, "
                             "canvas.getBoundingClientRect().top]"),
              "0,0,1024,768,1024,768,0,0");
    const std::string before = page->evaluate("page.soundsStarted");
    page->key('2');
    const Shot rolled = settled(*page, [](const Shot& s) { return facesShown(s, 20) == 1; });
    EXPECT_FALSE(rolled.empty()) << "the dice area shows exactly one of the twenty d20 faces";
    EXPECT_EQ(page->evaluate("page.soundsStarted - " + before), "1") << "the roll sound";
    EXPECT_EQ(page->evaluate("page.audioContexts.map(c => c.state)"), "running");
}

// In each reference window size the panel sits where the desktop roller puts it; a touch
// on the Multiple dice tab switches modes as a click would, showing Clear and Reroll.
TEST(WebRoller, LayoutsFollowTheViewportAndATouchIsAClick) {
    auto page = open(1024, 768);
    for (const Layout& r : LAYOUTS) {
        SCOPED_TRACE(testing::Message() << r.width << " x " << r.height);
        const int w = r.buttonWidth, h = r.buttonHeight;
        page->key('s');
        page->resize(r.width, r.height);
        const Shot one = settled(*page, [&](const Shot& s) {
            return s.width == r.width && s.height == r.height && framed(s, r.multi, w, h);
        });
        ASSERT_FALSE(one.empty()) << "the Multiple dice tab at its place";
        for (const At& place : r.entries)
            EXPECT_TRUE(framed(one, place, w, h)) << place.x << ", " << place.y;
        EXPECT_FALSE(framed(one, r.clear, w, h)) << "no Clear button in one-die mode";
        page->touch(r.multi.x + w / 2, r.multi.y + h / 2);
        const Shot multi = settled(*page, [&](const Shot& s) {
            return framed(s, r.clear, w, h) && framed(s, r.reroll, w, h);
        });
        EXPECT_FALSE(multi.empty()) << "Clear and Reroll shown after the touch";
    }
}

// A dozen mixed dice, then space: the heap is rolled (the dice change, the sound plays).
// The heap stops at 200 dice: ten more picks change nothing.
TEST(WebRoller, MultipleDiceRollAndStopAtTwoHundred) {
    auto page = open(1024, 768);
    page->key('m');
    for (char key : std::string("468012468012"))
        page->key(key);
    auto any = [](const Shot&) { return true; };
    const Shot heap = settled(*page, any);
    const std::string sounds = page->evaluate("page.soundsStarted");
    page->key(' ');
    const Shot rolled = settled(*page, any);
    EXPECT_FALSE(sameArea(heap, rolled, 10, 50, 560, 700)) << "the heap was not rolled";
    EXPECT_EQ(page->evaluate("page.soundsStarted - " + sounds), "1");
    for (int i = 12; i < 200; ++i)
        page->key('4');
    const Shot full = settled(*page, any);
    for (int i = 0; i < 10; ++i)
        page->key('6');
    const Shot after = settled(*page, any);
    EXPECT_FALSE(sameArea(rolled, full, 10, 50, 560, 700)) << "dice were added";
    EXPECT_TRUE(sameArea(full, after, 0, 0, 1024, 768)) << "more than 200 dice";
}

// A missing picture stops the roller at start with its message on the page; Escape ends
// a running one, and the page says so and starts it again on request.
TEST(WebRoller, EndsWithItsMessageOnThePage) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("tovrik-web-broken-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (const char* file : {"index.html", "Tovrik.wasm", "Tovrik.data"})
        fs::copy_file(fs::path(WEB_BUILD) / file, dir / file, fs::copy_options::overwrite_existing);
    // The packaged file keeps its bytes under another name: the roller does not find it.
    std::ifstream in(fs::path(WEB_BUILD) / "Tovrik.js");
    std::string script((std::istreambuf_iterator<char>(in)), {});
    const size_t at = script.find("\"/media/d4/1.png\"");
    ASSERT_NE(at, std::string::npos);
    script.replace(at, 17, "\"/media/d4/1.pnx\"");
    std::ofstream(dir / "Tovrik.js") << script;
    {
        Server broken(dir.string());
        Browser page(broken.url, 800, 600);
        ASSERT_TRUE(page.waitFor("page.ended", 30));
        EXPECT_EQ(page.evaluate("page.exitStatus"), "1");
        EXPECT_EQ(page.evaluate("document.getElementById('said').textContent"),
                  "Kelvarro has stopped.");
        EXPECT_EQ(page.evaluate("document.getElementById('details').textContent")
                      .rfind("ERROR: media/d4/1.png", 0),
                  0u);
        EXPECT_EQ(page.evaluate("document.getElementById('status').offsetHeight > 0"), "true");
    }
    fs::remove_all(dir);

    auto page = open(800, 600);
    page->key("Escape", 27);
    ASSERT_TRUE(page->waitFor("page.ended", 10));
    EXPECT_EQ(page->evaluate("[page.exitStatus, document.getElementById('said').textContent]"),
              "0,Kelvarro has ended.");
    const std::string button = "document.getElementById('again').getBoundingClientRect()";
    page->click(std::stoi(page->evaluate(button + ".x")) + 5,
                std::stoi(page->evaluate(button + ".y")) + 5);
    EXPECT_TRUE(page->waitFor(STARTED, 30)) << "started again by its button";
}

// A game of the library's own, built with the same CMake: it draws and chimes on space.
TEST(WebHello, RunsAndChimes) {
    auto page = open(640, 480, site().url + "hello.html");
    EXPECT_EQ(page->evaluate("document.title"), "hello");
    const Shot shot = settled(*page, [](const Shot& s) { return !(s.at(5, 5) == s.at(320, 240)); });
    EXPECT_FALSE(shot.empty()) << "hello drew its frame";
    page->key(' ');
    EXPECT_TRUE(page->waitFor("page.soundsStarted == 1", 10)) << "the chime";
    page->key("Escape", 27);
    EXPECT_TRUE(page->waitFor("page.ended && page.exitStatus == 0", 10));
}

}  // namespace
