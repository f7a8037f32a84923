// Where the frame puts everything and what it draws there, read back from the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "FrameReader.h"
#include "Layouts.h"
#include "RollerHarness.h"
#include "Sprite.h"
#include "TextElement.h"
#include "Utils.h"

namespace {

Int2 at(const At& p) {
    return Int2(p.x, p.y);
}

bool near(const Rgba& c, int grey, int tolerance) {
    return std::abs(c.r - grey) <= tolerance && std::abs(c.g - grey) <= tolerance &&
           std::abs(c.b - grey) <= tolerance;
}

// Rows and rightmost column of the rectangle that hold a pixel of the grey.
struct Ink {
    int rows = 0, right = -1;
};
Ink inkOf(int grey, int x, int y, int width, int height, int tolerance = 20) {
    const FrameRect rect(x, y, width, height);
    Ink ink;
    for (int row = y; row < y + height; ++row) {
        bool found = false;
        for (int column = x; column < x + width; ++column) {
            if (near(rect.at(column, row), grey, tolerance)) {
                found = true;
                ink.right = std::max(ink.right, column);
            }
        }
        ink.rows += found;
    }
    return ink;
}

class RollerLayout : public testing::Test {
protected:
    void SetUp() override { Roller::reset(); }
    void show(int width, int height) {
        Roller::resize(width, height);
        Roller::frame();
    }
    MainClass& app = Roller::app();
};

TEST_F(RollerLayout, ReferenceWindowsButtonByButton) {
    for (const Layout& r : LAYOUTS) {
        for (bool oneDie : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << r.width << " x " << r.height << " one die " << oneDie);
            app.onKeyPressed(oneDie ? 's' : 'm');
            show(r.width, r.height);
            std::vector<std::pair<Button*, At>> buttons = {{&RollerProbe::simple(app), r.simple},
                                                           {&RollerProbe::multi(app), r.multi},
                                                           {&RollerProbe::clear(app), r.clear},
                                                           {&RollerProbe::reroll(app), r.reroll}};
            for (int i = 0; i < 6; ++i) {
                buttons.push_back({&RollerProbe::entry(app, SIDES[i]), r.entries[i]});
            }
            for (const auto& [button, place] : buttons) {
                EXPECT_EQ(button->getPosition(), at(place));
                EXPECT_EQ(button->getSize(), Int2(r.buttonWidth, r.buttonHeight));
                EXPECT_EQ(RollerProbe::caption(*button)->getPosition(), at(place) + Int2(10, 10));
                Sprite& picture = RollerProbe::picture(*button);
                EXPECT_EQ(picture.getPosition(), at(place));
                EXPECT_NEAR(picture.getScaledSize().x(), r.buttonWidth, 1);
            }
            EXPECT_EQ(RollerProbe::textAdd(app).getPosition(), at(r.label));
            EXPECT_EQ(RollerProbe::textSelect(app).getPosition(), at(r.label));
            EXPECT_EQ(RollerProbe::textMain(app).getPosition(), Int2(10, 20));
        }
    }
}

// Small below 950 x 750; in small mode, at most 550 wide moves the panel down.
TEST_F(RollerLayout, ThresholdsBetweenTheLayouts) {
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
        EXPECT_EQ(RollerProbe::entry(app, 4).getSize(), c.small ? Int2(102, 76) : Int2(204, 153));
        EXPECT_EQ(RollerProbe::clear(app).getPosition().y(), c.panelTop);
    }
}

// Die `index` of n, drawn one column of ceil(sqrt(n)) wide, row by row.
TEST_F(RollerLayout, DiceGrid) {
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
        Roller::resize(c.small ? 800 : 1024, c.small ? 600 : 768);
        // Only the die looked at shows face 2: its picture ends where that die is drawn.
        auto& heap = RollerProbe::heap(app);
        heap.assign(c.n, {10, 0});
        heap[c.index].second = 1;
        Roller::frame();
        Sprite& face = RollerProbe::face(app, 10, 1);
        EXPECT_EQ(face.getPosition(), c.place);
        EXPECT_NEAR(face.getScaledSize().x(), c.width, 1);
    }
}

// Face index k of every die type shows picture k + 1 of its folder.
TEST_F(RollerLayout, FaceIndexShowsItsFile) {
    for (int sides : SIDES) {
        for (int index : {0, sides - 1}) {
            SCOPED_TRACE(testing::Message() << sides << "-sided, index " << index);
            RollerProbe::heap(app).assign(1, {sides, index});
            Roller::frame();
            const FrameRect area(10, 50, 512, 384);
            const auto pixel = [&](int x, int y) {
                const Rgba c = area.at(x, y);
                return Channels{c.r, c.g, c.b};
            };
            const std::string folder = "media/d" + std::to_string(sides) + "/";
            const int other = index == 0 ? 2 : sides - 1;
            EXPECT_LT(mismatchToFace(pixel, folder + std::to_string(index + 1) + ".png"), 150);
            EXPECT_GE(mismatchToFace(pixel, folder + std::to_string(other) + ".png"), 150);
        }
    }
}

TEST(RollerVeil, AlphaOverTheRoll) {
    const std::pair<long, int> alphaAt[] = {{200, 0},   {150, 128}, {101, 254},
                                            {100, 255}, {50, 128},  {1, 2}};
    for (const auto& [left, alpha] : alphaAt) {
        EXPECT_EQ(MainClass::getVeilAlpha(left), alpha) << left << " ms left";
    }
}

TEST_F(RollerLayout, VeilHidesTheDiceAtMidRollAndOnlyThen) {
    app.onKeyPressed('6');
    RollerProbe::endRoll(app) = -1;
    Roller::frame();
    const auto inked = [](const FrameRect& area, int x, int y) {
        return !near(area.at(x, y), 200, 30);
    };
    const FrameRect shown(10, 50, 512, 384);
    // The veil's opacity depends on the time render() reads; bracket that read and
    // draw again, for as long as a loaded machine needs, until the bracket is narrow
    // enough to know the opacity.
    long took = 0;
    for (const long deadline = Utils::getMillisecond() + 20000;
         (took == 0 || took > 10) && Utils::getMillisecond() < deadline;) {
        const long start = Utils::getMillisecond();
        RollerProbe::endRoll(app) = start + 104;
        app.render();
        took = std::max(1L, Utils::getMillisecond() - start);  // 94 <= r <= 104: alpha >= 240
    }
    ASSERT_LE(took, 10);
    const FrameRect veiled(10, 50, 512, 384);
    RollerProbe::endRoll(app) = Utils::getMillisecond() - 1;
    Roller::frame();
    const FrameRect after(10, 50, 512, 384);
    int face = 0;
    for (int y = 60; y < 420; y += 6) {
        for (int x = 20; x < 512; x += 6) {
            if (inked(shown, x, y)) {
                ++face;
                EXPECT_TRUE(near(veiled.at(x, y), 200, 16)) << x << ", " << y;
                EXPECT_TRUE(inked(after, x, y)) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(face, 20) << "the face picture should show in the dice area";
}

// The tab line ends 10 pixels right of "Multiple dice", or past the window's right edge
// in a window taller than 1023 pixels.
TEST_F(RollerLayout, TabLineReachesTheRightEdgeOnlyInTallWindows) {
    for (int height : {1023, 1024}) {
        SCOPED_TRACE(height);
        show(1024, height);
        const int y = height - 153 - 10 - 5;
        EXPECT_GT(inkOf(150, 430, y - 2, 16, 5).rows, 0) << "the line up to 438";
        EXPECT_EQ(inkOf(150, 460, y - 2, 564, 5).right, height > 1023 ? 1023 : -1);
    }
}

// Captions are rebuilt at the new text size in the first frame after a change of mode.
TEST_F(RollerLayout, CaptionsTakeTheTextSizeInTheNextFrame) {
    const auto captionRows = [&] {
        const Int2 p = RollerProbe::entry(app, 4).getPosition();
        // Scaled down, the glyphs blend with the background: any dark grey counts.
        return inkOf(80, p.x() + 5, p.y() + 5, 120, 35, 45).rows;
    };
    const int normal = captionRows();
    show(800, 600);
    const int small = captionRows();
    show(1024, 768);
    EXPECT_GT(small, 0);
    EXPECT_LT(small, normal * 0.8) << "13 against 20";
    EXPECT_EQ(captionRows(), normal);
}

// "Roll result" over a heap only; the panel label reads "Roll a die:" in one-die mode
// and the longer "Add a new die:" in multiple-dice mode.
TEST_F(RollerLayout, LabelsFollowHeapAndMode) {
    EXPECT_EQ(inkOf(150, 10, 18, 240, 28).rows, 0);
    app.onKeyPressed('6');
    Roller::frame();
    EXPECT_GT(inkOf(150, 10, 18, 240, 28).rows, 5);
    const int oneDie = inkOf(150, 596, 183, 300, 35).right;
    app.onKeyPressed('m');
    Roller::frame();
    const int multiple = inkOf(150, 596, 183, 300, 35).right;
    EXPECT_GT(oneDie, 596);
    EXPECT_GT(multiple, oneDie + 20);
}

}  // namespace
