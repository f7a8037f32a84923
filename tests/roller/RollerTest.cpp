// The dice roller's own code in one real window for the whole program (GLUT opens one
// window per process), its handlers called directly and its frames read back.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "Button.h"
#include "DicesGroup.h"
#include "FrameReader.h"
#include "Layouts.h"
#include "MainClass.h"
#include "OpenGL.h"
#include "Process.h"
#include "Sound.h"
#include "Sprite.h"
#include "TextElement.h"
#include "Utils.h"

const int SIDES[] = {4, 6, 8, 10, 12, 20};
const char KEYS[] = {'4', '6', '8', '0', '1', '2'};
enum { AREA = -1, SIMPLE, MULTI, CLEAR, REROLL, ENTRY4 };

// Reads and sets the roller's private state.
struct RollerProbe {
    static std::vector<std::pair<int, int>>& heap(MainClass& app) { return app.dicesStack; }
    static bool oneDiceOnly(MainClass& app) { return app.oneDiceOnly; }
    static long& endRoll(MainClass& app) { return app.millisecondEndRoll; }
    static bool& running(MainClass& app) { return app.isAppRunning; }
    static Sound& sound(MainClass& app) { return *app.sound; }
    // The four named buttons, then the selection entries of the six die types.
    static Button& button(MainClass& app, int i) {
        const std::array named = {app.buttonSimple, app.buttonMulti, app.buttonClear,
                                  app.buttonReroll};
        return i < 4 ? *named[i] : *app.groupOf(SIDES[i - 4])->insightButton;
    }
    // textMain, textAdd, textSelect.
    static TextElement& text(MainClass& app, int i) {
        return *std::array{app.textMain, app.textAdd, app.textSelect}[i];
    }
    static Sprite& face(MainClass& app, int nbSided, int index) {
        return *app.groupOf(nbSided)->dices.at(index);
    }
    // Whether a rolling frame of that window size was kept.
    static bool kept(MainClass& app, Int2 size) {
        return app.kept.isTaken() && app.keptState.windowSize == size;
    }
    static bool isVisible(Button& button) { return button.isVisible; }
    static TextElement* caption(Button& button) { return button.textElement; }
    static Sprite& picture(Button& button) { return *button.sprite; }
};

void stopMonotonicClock(bool stopped);  // tests/support/StoppedClock.cpp

namespace {

bool rendered = false;  // whether any frame has been drawn yet

MainClass& theApp() {
    static MainClass* app = new MainClass("roller_window_tests");
    return *app;
}

// Resizes the real window, then tells the frame and the roller as the main loop does.
void resize(int width, int height) {
    glutReshapeWindow(width, height);
    // The window system answers asynchronously; pump events until it has.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the window kept its size";
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    OpenGL_onResizeWindow(width, height);
    theApp().onWindowResize();
}

void frame() {
    theApp().render();
    glFinish();
    rendered = true;
}

Int2 centre(Button& button) {
    return button.getPosition() + Int2(button.getSize().x() / 2, button.getSize().y() / 2);
}

void press(MainClass& app, Button& button, int mouseButton = 0) {
    const Int2 p = centre(button);
    app.onPointerPressed(mouseButton, p.x(), p.y());
}

using Heap = std::vector<std::pair<int, int>>;

// Every test starts as the program does: 1024 x 768, one-die mode, empty heap, no
// animation, silent, one frame drawn. (RollerAtStart checks that state in a fresh program.)
class RollerWindow : public testing::Test {
protected:
    void SetUp() override {
        resize(1024, 768);
        if (!RollerProbe::oneDiceOnly(app))
            app.onKeyPressed('s');
        heap.clear();
        RollerProbe::endRoll(app) = -1;
        RollerProbe::running(app) = true;
        sound.stop();
        frame();
    }
    void show(int width, int height) {
        resize(width, height);
        frame();
    }
    void press(Button& button, int mouseButton = 0) { ::press(app, button, mouseButton); }
    void keys(const std::string& typed) {
        for (char key : typed)
            app.onKeyPressed(key);
    }

    MainClass& app = theApp();
    Heap& heap = RollerProbe::heap(app);
    Sound& sound = RollerProbe::sound(app);
};

// A test of the program as it starts. Where a frame was drawn already, the test runs again
// in a fresh copy of this program and the caller returns.
bool drawnAlready() {
    if (!rendered)
        return false;
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test.test_suite_name()) + "." + test.name();
    const ChildResult child = runProgram({"/proc/self/exe", "--gtest_filter=" + name});
    EXPECT_EQ(child.exitStatus, 0) << child.out;
    EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
    return true;
}

// The darkest channel in a rectangle of the frame.
int darkest(const FrameRect& frame, Int2 from, Int2 to) {
    int result = 255;
    for (int y = from.y(); y <= to.y(); ++y)
        for (int x = from.x(); x <= to.x(); ++x)
            result = std::min(
                {result, int(frame.at(x, y).r), int(frame.at(x, y).g), int(frame.at(x, y).b)});
    return result;
}

// At start one-die mode is current: its tab is the open one (veiled, without a frame, deaf
// to presses) and "Multiple dice" is framed, as after a press on "One die".
TEST(RollerAtStart, OneDieIsTheOpenTab) {
    if (drawnAlready())
        return;
    MainClass& app = theApp();
    resize(1024, 768);
    app.onKeyPressed('6');
    frame();
    const FrameRect shown = readFrame();
    for (int i : {SIMPLE, MULTI}) {
        Button& tab = RollerProbe::button(app, i);
        const bool open = i == SIMPLE;
        SCOPED_TRACE(open ? "One die" : "Multiple dice");
        const Int2 p = tab.getPosition(), size = tab.getSize();
        EXPECT_EQ(RollerProbe::isVisible(tab), !open);
        EXPECT_EQ(darkest(shown, p + Int2(12, 0), p + Int2(size.x() - 12, 1)) < 160, !open)
            << "the frame's top edge";
        EXPECT_EQ(darkest(shown, p + Int2(4, 4), p + size - Int2(4, 4)) > 105, open) << "the veil";
    }
    press(app, RollerProbe::button(app, SIMPLE));
    EXPECT_EQ(RollerProbe::heap(app).size(), 1u) << "the press on the open tab emptied the heap";
}

// Each die type by its key and by its entry (with any mouse button): in one-die mode
// the heap becomes that one die, rolled; in multiple-dice mode it is added unrolled.
TEST_F(RollerWindow, KeysAndEntriesChooseTheirDie) {
    for (bool byKey : {true, false}) {
        for (bool oneDie : {true, false}) {
            app.onKeyPressed(oneDie ? 's' : 'm');
            for (int i = 0; i < 6; ++i) {
                SCOPED_TRACE(testing::Message() << SIDES[i] << " by key " << byKey);
                sound.stop();
                byKey ? app.onKeyPressed(KEYS[i])
                      : press(RollerProbe::button(app, ENTRY4 + i), i % 3);
                ASSERT_EQ(heap.size(), oneDie ? 1u : i + 1u);
                EXPECT_EQ(heap.back().first, SIDES[i]);
                EXPECT_EQ(sound.isPlaying(), oneDie);
                EXPECT_EQ(app.update(), oneDie);
            }
        }
    }
}

// Every face of every type comes up and no other. The wall clock stands still in this
// program, so every reseed falls in the same second: a held key 6 must still not replay one
// stretch of faces over and over (in the last 10,000 presses, runs of 20 faces are nearly
// all different).
TEST_F(RollerWindow, RollsReachEveryFaceAndNeverLoop) {
    std::set<std::pair<int, int>> seen;
    std::string faces;
    for (int press = 0; press < 20000; ++press) {
        app.onKeyPressed(press < 1200 ? KEYS[press % 6] : '6');
        seen.insert(heap.at(0));
        faces += static_cast<char>('1' + heap.at(0).second);
    }
    EXPECT_EQ(seen.size(), 60u);
    for (const auto& [sides, face] : seen)
        EXPECT_LT(unsigned(face), unsigned(sides)) << sides << "-sided";
    std::set<std::string> runs;
    for (std::size_t i = 10000; i + 20 <= faces.size(); ++i)
        runs.insert(faces.substr(i, 20));
    EXPECT_GT(runs.size(), 9000u);
}

// Keys, then a press: the heap's size after it, the mode, and whether a roll (with its sound)
// runs. Clear and the mode keys, even of the current mode, empty the heap. Buttons own their
// left and top edges only; a hidden one owns nothing; the normal layout's dice area,
// strictly inside, rolls in small mode too.
TEST_F(RollerWindow, KeysThenAPress) {
    const Int2 MID(-99, -99);  // the button's centre
    const struct {
        const char* typed;
        bool small;
        int target;
        Int2 offset;
        int mouse;
        size_t heap;
        bool oneDie, rolls;
    } cases[] = {{"6c", false, AREA, {0, 0}, 0, 0, true, false},
                 {"4C", false, AREA, {0, 0}, 0, 0, true, false},
                 {"m46M", false, AREA, {0, 0}, 0, 0, false, false},
                 {"m4c", false, AREA, {0, 0}, 0, 0, false, false},
                 {"m8S", false, AREA, {0, 0}, 0, 0, true, false},
                 {"m8s", false, AREA, {0, 0}, 0, 0, true, false},
                 {"6", false, SIMPLE, MID, 0, 1, true, false},
                 {"6", false, SIMPLE, {3, 3}, 0, 1, true, false},
                 {"6", false, CLEAR, MID, 0, 1, true, false},
                 {"6", false, REROLL, MID, 0, 1, true, false},
                 {"6", false, MULTI, MID, 2, 0, false, false},
                 {"m4", false, MULTI, MID, 0, 1, false, false},
                 {"m4", false, SIMPLE, MID, 1, 0, true, false},
                 {"m88", false, REROLL, MID, 0, 2, false, true},
                 {"m88", false, CLEAR, MID, 0, 0, false, false},
                 {"m", false, REROLL, MID, 0, 0, false, true},
                 {"", false, ENTRY4, {0, 0}, 0, 1, true, true},
                 {"", false, ENTRY4, {203, 152}, 0, 1, true, true},
                 {"", false, ENTRY4, {204, 76}, 0, 0, true, false},
                 {"", false, ENTRY4, {102, 153}, 0, 0, true, false},
                 {"", false, ENTRY4, {-1, 76}, 0, 0, true, false},
                 {"", false, ENTRY4, {102, -1}, 0, 0, true, false},
                 {"", true, ENTRY4, {101, 75}, 0, 1, true, true},
                 {"", true, ENTRY4, {102, 38}, 0, 0, true, false},
                 {"", true, ENTRY4, {51, 76}, 0, 0, true, false},
                 {"m66", false, AREA, {10, 100}, 0, 2, false, false},
                 {"m66", false, AREA, {100, 50}, 0, 2, false, false},
                 {"m66", true, AREA, {522, 100}, 0, 2, false, false},
                 {"m66", false, AREA, {100, 434}, 0, 2, false, false},
                 {"m66", false, AREA, {11, 51}, 0, 2, false, true},
                 {"m66", true, AREA, {521, 433}, 0, 2, false, true},
                 {"m66", true, AREA, {400, 300}, 0, 2, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typed << " then a press at " << c.offset.x() << ", "
                                        << c.offset.y() << (c.small ? " small" : ""));
        SetUp();
        resize(c.small ? 800 : 1024, c.small ? 600 : 768);
        keys(c.typed);
        frame();
        sound.stop();
        const Int2 p = c.target == AREA ? c.offset
                       : c.offset == MID
                           ? centre(RollerProbe::button(app, c.target))
                           : RollerProbe::button(app, c.target).getPosition() + c.offset;
        app.onPointerPressed(c.mouse, p.x(), p.y());
        EXPECT_EQ(heap.size(), c.heap);
        EXPECT_EQ(RollerProbe::oneDiceOnly(app), c.oneDie);
        EXPECT_EQ(RollerProbe::isVisible(RollerProbe::button(app, SIMPLE)), !c.oneDie);
        EXPECT_EQ(RollerProbe::isVisible(RollerProbe::button(app, MULTI)), c.oneDie);
        EXPECT_EQ(app.update(), c.rolls);
        EXPECT_EQ(sound.isPlaying(), c.rolls);
    }
}

// Releases leave a running roll alone; its time ends it, 200 ms after it began, and so does a
// press on nothing (-1 here) or any key that does nothing else.
TEST_F(RollerWindow, AnimationEndsOnItsTimeOrOnAnyPress) {
    app.onKeyPressed('6');
    const Heap before = heap;
    const long end = RollerProbe::endRoll(app), now = Utils::getMillisecond();
    EXPECT_LE(end, now + 200) << "a roll lasts 200 ms";
    EXPECT_GE(end, now + 150) << "a roll lasts 200 ms";
    app.onKeyReleased(' ');
    app.onPointerReleased(0, 560, 300);
    EXPECT_TRUE(app.update()) << "releases do not end the roll";
    RollerProbe::endRoll(app) = Utils::getMillisecond();
    EXPECT_FALSE(app.update());
    for (int key : std::initializer_list<int>{-1, '3', '5', '7', '9', 'a', 'x', 13, 9, 127, 28, 29,
                                              30, 31, 33, 34, 256, 267}) {
        SCOPED_TRACE(key);
        RollerProbe::endRoll(app) = Utils::getMillisecond() + 10000;
        key < 0 ? app.onPointerPressed(2, 560, 300) : app.onKeyPressed(key);
        EXPECT_FALSE(app.update());
        EXPECT_EQ(heap, before);
        EXPECT_TRUE(RollerProbe::oneDiceOnly(app));
        EXPECT_TRUE(app.isRunning());
    }
}

// The pixels of a rectangle within `tolerance` of a grey: how many, in how many rows, and the
// rightmost column that holds one.
struct Ink {
    int pixels = 0, rows = 0, right = -1;
};
Ink inkOf(int grey, int x, int y, int width, int height, int tolerance = 20) {
    const FrameRect frame = readFrame();
    Ink ink;
    for (int row = y; row < y + height; ++row) {
        const int before = ink.pixels;
        for (int column = x; column < x + width; ++column) {
            const Rgba c = frame.at(column, row);
            if (std::max({std::abs(c.r - grey), std::abs(c.g - grey), std::abs(c.b - grey)}) <=
                tolerance) {
                ++ink.pixels;
                ink.right = std::max(ink.right, column);
            }
        }
        ink.rows += ink.pixels > before;
    }
    return ink;
}

TEST_F(RollerWindow, ReferenceWindowsButtonByButton) {
    for (const Layout& r : LAYOUTS) {
        for (bool oneDie : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << r.width << " x " << r.height << " one die " << oneDie);
            app.onKeyPressed(oneDie ? 's' : 'm');
            show(r.width, r.height);
            const At places[] = {r.simple,     r.multi,      r.clear,      r.reroll,
                                 r.entries[0], r.entries[1], r.entries[2], r.entries[3],
                                 r.entries[4], r.entries[5]};
            for (int i = 0; i < 10; ++i) {
                Button& button = RollerProbe::button(app, i);
                const Int2 place(places[i].x, places[i].y);
                EXPECT_EQ(button.getPosition(), place);
                EXPECT_EQ(button.getSize(), Int2(r.buttonWidth, r.buttonHeight));
                EXPECT_EQ(RollerProbe::caption(button)->getPosition(), place + Int2(10, 10));
                EXPECT_NEAR(RollerProbe::picture(button).getScaledSize().x(), r.buttonWidth, 1);
            }
            for (int i : {0, 1, 2})
                EXPECT_EQ(RollerProbe::text(app, i).getPosition(),
                          i == 0 ? Int2(10, 20) : Int2(r.label.x, r.label.y));
        }
    }
}

// Small below 950 x 750; in small mode, at most 550 wide moves the panel down.
TEST_F(RollerWindow, ThresholdsBetweenTheLayouts) {
    const struct {
        int width, height;
        bool small;
        int panelTop;
    } cases[] = {{949, 768, true, 10}, {1024, 749, true, 10}, {950, 750, false, 10},
                 {949, 750, true, 10}, {950, 749, true, 10},  {550, 600, true, 269},
                 {551, 600, true, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        show(c.width, c.height);
        EXPECT_EQ(RollerProbe::button(app, ENTRY4).getSize(),
                  c.small ? Int2(102, 76) : Int2(204, 153));
        EXPECT_EQ(RollerProbe::button(app, CLEAR).getPosition().y(), c.panelTop);
    }
}

// Die `index` of n, drawn one column of ceil(sqrt(n)) wide, row by row.
TEST_F(RollerWindow, DiceGrid) {
    const struct {
        bool small;
        int n, index;
        Int2 place;
        int width;
    } cases[] = {{false, 1, 0, {10, 50}, 512},    {true, 1, 0, {10, 50}, 256},
                 {false, 4, 3, {266, 242}, 256},  {false, 5, 2, {351, 50}, 170},
                 {false, 5, 4, {180, 178}, 170},  {false, 197, 196, {44, 382}, 34},
                 {false, 200, 14, {487, 50}, 34}, {false, 200, 199, {146, 382}, 34},
                 {true, 200, 199, {78, 216}, 17}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "die " << c.index << " of " << c.n);
        resize(c.small ? 800 : 1024, c.small ? 600 : 768);
        // Only the die looked at shows face 2: its picture ends where that die is drawn.
        auto& heap = RollerProbe::heap(app);
        heap.assign(c.n, {10, 0});
        heap[c.index].second = 1;
        frame();
        Sprite& face = RollerProbe::face(app, 10, 1);
        EXPECT_EQ(face.getPosition(), c.place);
        EXPECT_NEAR(face.getScaledSize().x(), c.width, 1);
    }
}

// Face index k of every die type shows picture k + 1 of its folder; index N shows nothing.
TEST_F(RollerWindow, FaceIndexShowsItsFile) {
    for (int sides : SIDES) {
        for (int index : {0, sides - 1}) {
            SCOPED_TRACE(testing::Message() << sides << "-sided, index " << index);
            RollerProbe::heap(app).assign(1, {sides, index});
            frame();
            const FrameRect frame = readFrame();
            const std::string folder = "media/d" + std::to_string(sides) + "/";
            const int other = index == 0 ? 2 : sides - 1;
            EXPECT_LT(mismatchToFace(frame, folder + std::to_string(index + 1) + ".png"), 150);
            EXPECT_GE(mismatchToFace(frame, folder + std::to_string(other) + ".png"), 150);
        }
        // A face its die does not have draws nothing, and reads nothing past the faces.
        RollerProbe::heap(app).assign(1, {sides, sides});
        frame();
        EXPECT_EQ(inkOf(200, 20, 60, 490, 360, 16).pixels, 490 * 360) << sides << "-sided, index N";
    }
}

TEST(RollerVeil, AlphaOverTheRoll) {
    const std::pair<long, int> alphaAt[] = {{200, 0},   {150, 128}, {101, 254},
                                            {100, 255}, {50, 128},  {1, 2}};
    for (const auto& [left, alpha] : alphaAt)
        EXPECT_EQ(MainClass::getVeilAlpha(left), alpha) << left << " ms left";
}

TEST_F(RollerWindow, VeilHidesTheDiceAtMidRollAndOnlyThen) {
    const auto background = [](int tolerance) {
        return inkOf(200, 20, 60, 490, 360, tolerance).pixels;
    };
    app.onKeyPressed('6');
    RollerProbe::endRoll(app) = -1;
    frame();
    const int shown = background(30);
    stopMonotonicClock(true);
    RollerProbe::endRoll(app) = Utils::getMillisecond() + 100;  // mid-roll: opacity 255
    frame();
    stopMonotonicClock(false);
    EXPECT_EQ(background(16), 490 * 360);
    RollerProbe::endRoll(app) = Utils::getMillisecond() - 1;
    frame();
    EXPECT_LT(shown, 490 * 360 - 1000) << "the face picture should show in the dice area";
    EXPECT_EQ(background(30), shown);
}

// While a roll runs and the dice area, outline included, stays 2 pixels clear of the panel
// and the tab lines, a frame drawn back from the kept one (the clock stopped: the veil is
// the same) shows what the frame drawn in full shows, pixel for pixel, and outside the dice
// area what a still heap shows. A change to the heap is drawn, not the kept frame.
TEST_F(RollerWindow, RollingFramesDrawnBackAreThoseDrawnInFull) {
    const struct {
        int width, height;
        bool kept;
    } cases[] = {{1024, 768, true}, {800, 600, true},  {500, 700, true}, {954, 768, false},
                 {955, 768, true},  {400, 337, false}, {400, 338, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        show(c.width, c.height);
        keys("m4680122");
        frame();
        const FrameRect still = readFrame(true);
        stopMonotonicClock(true);
        RollerProbe::endRoll(app) = Utils::getMillisecond() + 150;
        frame();
        const FrameRect first = readFrame(true);
        frame();
        EXPECT_EQ(RollerProbe::kept(app, Int2(c.width, c.height)), c.kept);
        EXPECT_EQ(differing(first, readFrame(true)), 0);
        heap.back().second = (heap.back().second + 1) % heap.back().first;
        frame();
        EXPECT_GT(differing(first, readFrame(true)), 0);
        stopMonotonicClock(false);
        const bool small = c.width < 950 || c.height < 750;
        EXPECT_EQ(differing(first, still, small ? 269 : 525, small ? 245 : 437), 0);
    }
}

// Captions and labels are rebuilt at the small text size in the first frame of the small
// layout, and back at the normal size in the first frame after it.
TEST_F(RollerWindow, TextTakesTheLayoutsSizeInTheNextFrame) {
    const struct {
        const char* name;
        std::function<Int2()> place;
        int grey, tolerance;
    } texts[] = {
        // Scaled down, the glyphs blend with the background: any dark grey counts.
        {"the 4-sided die's caption",
         [&] { return RollerProbe::button(app, ENTRY4).getPosition() + Int2(5, 5); }, 80, 45},
        {"Roll a die:", [&] { return RollerProbe::text(app, 2).getPosition(); }, 150, 20}};
    for (const auto& text : texts) {
        SCOPED_TRACE(text.name);
        const auto rows = [&] {
            const Int2 p = text.place();
            return inkOf(text.grey, p.x(), p.y(), 120, 35, text.tolerance).rows;
        };
        const int normal = rows();
        show(800, 600);
        const int small = rows();
        show(1024, 768);
        EXPECT_GT(small, 0);
        EXPECT_LT(small, normal * 0.8) << "13 against 20";
        EXPECT_EQ(rows(), normal);
    }
}

// In multiple-dice mode an added die shows a random face and the dice already there keep
// theirs; a full heap of 200 takes no more, by key or by entry, and makes no sound. A roll,
// however asked for, gives every die of a full heap a new face.
TEST_F(RollerWindow, AddedDiceShowRandomFacesAndARollReachesEveryDie) {
    app.onKeyPressed('m');
    std::set<int> faces;
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        const Heap before = heap;
        app.onKeyPressed('2');
        ASSERT_EQ(heap.size(), before.size() + 1);
        EXPECT_TRUE(std::equal(before.begin(), before.end(), heap.begin()));
        EXPECT_LT(unsigned(heap.back().second), 20u);
        faces.insert(heap.back().second);
    }
    EXPECT_GT(faces.size(), 5u) << "faces of 40 new d20";
    keys(std::string(161, '4'));
    press(RollerProbe::button(app, ENTRY4 + 4));
    EXPECT_FALSE(sound.isPlaying()) << "a die refused";
    const std::pair<const char*, std::function<void()>> rolls[] = {
        {"space", [&] { app.onKeyPressed(' '); }},
        {"Reroll", [&] { press(RollerProbe::button(app, REROLL)); }},
        {"a click on the dice", [&] { app.onPointerPressed(0, 300, 200); }}};
    for (const auto& [name, roll] : rolls) {
        SCOPED_TRACE(name);
        ASSERT_EQ(heap.size(), 200u);
        for (auto& die : heap)
            die.second = -1;  // no face: the roll must give each one
        roll();
        EXPECT_EQ(std::count_if(heap.begin(), heap.end(), [](auto& die) { return die.second < 0; }),
                  0);
    }
}

// "Roll result" over a heap only; the panel label reads "Roll a die:" in one-die mode
// and the longer "Add a new die:" in multiple-dice mode.
TEST_F(RollerWindow, LabelsFollowHeapAndMode) {
    EXPECT_EQ(inkOf(150, 10, 18, 240, 28).rows, 0);
    app.onKeyPressed('6');
    frame();
    EXPECT_GT(inkOf(150, 10, 18, 240, 28).rows, 5);
    const int oneDie = inkOf(150, 596, 183, 300, 35).right;
    app.onKeyPressed('m');
    frame();
    EXPECT_GT(oneDie, 596);
    EXPECT_GT(inkOf(150, 596, 183, 300, 35).right, oneDie + 20);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    // Sounds and the audio device are released as the program would release them.
    delete &theApp();
    return status;
}
