// Where the frame puts everything, for the three reference windows and the
// thresholds between the layouts; the dice grid and the roll veil.
#include <gtest/gtest.h>

#include <cstdlib>

#include "RollerHarness.h"
#include "Sprite.h"
#include "TextElement.h"
#include "Utils.h"

namespace {

class RollerLayout : public testing::Test {
protected:
    void SetUp() override { Roller::reset(); }

    void showWindow(int width, int height) {
        Roller::resize(width, height);
        Roller::frame();
    }
    Int2 entryAt(int sides) { return RollerProbe::entry(app, sides).getPosition(); }
    int panelTop() { return RollerProbe::clear(app).getPosition().y(); }

    MainClass& app = Roller::app();
};

struct Reference {
    int width, height;
    Int2 simple, multi, clear, reroll, label;
    Int2 entries[6];  // 4, 6, 8, 10, 12, 20 sides
};

const int SIDES[] = {4, 6, 8, 10, 12, 20};

TEST_F(RollerLayout, ReferenceWindowsButtonByButton) {
    const Reference references[] = {
        {1024,
         768,
         Int2(10, 605),
         Int2(224, 605),
         Int2(596, 10),
         Int2(810, 10),
         Int2(596, 183),
         {Int2(596, 223), Int2(596, 386), Int2(596, 549), Int2(810, 223), Int2(810, 386),
          Int2(810, 549)}},
        {800,
         600,
         Int2(10, 514),
         Int2(122, 514),
         Int2(576, 10),
         Int2(688, 10),
         Int2(576, 106),
         {Int2(576, 146), Int2(576, 232), Int2(576, 318), Int2(688, 146), Int2(688, 232),
          Int2(688, 318)}},
        {500,
         700,
         Int2(10, 614),
         Int2(122, 614),
         Int2(276, 269),
         Int2(388, 269),
         Int2(276, 365),
         {Int2(276, 405), Int2(276, 491), Int2(276, 577), Int2(388, 405), Int2(388, 491),
          Int2(388, 577)}},
    };
    for (const Reference& r : references) {
        SCOPED_TRACE(testing::Message() << r.width << " x " << r.height);
        for (bool oneDie : {true, false}) {
            app.onKeyPressed(oneDie ? 's' : 'm');
            showWindow(r.width, r.height);
            EXPECT_EQ(RollerProbe::simple(app).getPosition(), r.simple);
            EXPECT_EQ(RollerProbe::multi(app).getPosition(), r.multi);
            EXPECT_EQ(RollerProbe::clear(app).getPosition(), r.clear);
            EXPECT_EQ(RollerProbe::reroll(app).getPosition(), r.reroll);
            EXPECT_EQ(RollerProbe::textAdd(app).getPosition(), r.label);
            EXPECT_EQ(RollerProbe::textSelect(app).getPosition(), r.label);
            EXPECT_EQ(RollerProbe::textMain(app).getPosition(), Int2(10, 20));
            for (int i = 0; i < 6; ++i) {
                SCOPED_TRACE(SIDES[i]);
                EXPECT_EQ(entryAt(SIDES[i]), r.entries[i]);
                // The hit box is where the entry is drawn.
                Button& entry = RollerProbe::entry(app, SIDES[i]);
                EXPECT_TRUE(entry.isIn(r.entries[i]));
            }
        }
    }
}

TEST_F(RollerLayout, SmallModeBelow950By750) {
    const struct {
        int width, height;
        bool small;
    } cases[] = {{949, 768, true}, {1024, 749, true}, {950, 750, false},
                 {949, 750, true}, {950, 749, true},  {1024, 768, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        showWindow(c.width, c.height);
        const Int2 size = RollerProbe::entry(app, 4).getSize();
        EXPECT_EQ(size, c.small ? Int2(102, 76) : Int2(204, 153));
        EXPECT_EQ(RollerProbe::multi(app).getPosition().x(), c.small ? 122 : 224);
    }
}

TEST_F(RollerLayout, NarrowVariantUpTo550PixelsWide) {
    showWindow(550, 600);
    EXPECT_EQ(panelTop(), 269);
    EXPECT_EQ(entryAt(4), Int2(550 - 224, 289 + 76 + 40));
    showWindow(551, 600);
    EXPECT_EQ(panelTop(), 10);
    // Wide enough windows never move the panel, however narrow.
    showWindow(950, 750);
    EXPECT_EQ(panelTop(), 10);
}

TEST_F(RollerLayout, CaptionsFollowTheLayoutInTheFirstFrame) {
    Button& entry = RollerProbe::entry(app, 6);
    showWindow(800, 600);
    TextElement* caption = RollerProbe::caption(entry);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->getPosition(), entry.getPosition() + Int2(10, 10));
    // Hidden buttons keep their caption in place as well.
    Button& simple = RollerProbe::simple(app);
    EXPECT_EQ(RollerProbe::caption(simple)->getPosition(), simple.getPosition() + Int2(10, 10));
    showWindow(1024, 768);
    EXPECT_EQ(RollerProbe::caption(entry)->getPosition(), entry.getPosition() + Int2(10, 10));
    EXPECT_EQ(entry.getPosition(), Int2(596, 386));
}

TEST_F(RollerLayout, ButtonPicturesTakeTheButtonWidth) {
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small mode" : "normal layout");
        showWindow(small ? 800 : 1024, small ? 600 : 768);
        const int expected = small ? 102 : 204;
        Button* buttons[] = {&RollerProbe::simple(app),   &RollerProbe::multi(app),
                             &RollerProbe::clear(app),    &RollerProbe::reroll(app),
                             &RollerProbe::entry(app, 4), &RollerProbe::entry(app, 20)};
        for (Button* button : buttons) {
            Sprite& picture = RollerProbe::picture(*button);
            EXPECT_EQ(picture.getPosition(), button->getPosition());
            EXPECT_NEAR(picture.getScaledSize().x(), expected, 1);
        }
    }
}

TEST(RollerGrid, ColumnsAreTheRoundedUpSquareRoot) {
    EXPECT_EQ(MainClass::getNbColumns(1), 1);
    EXPECT_EQ(MainClass::getNbColumns(2), 2);
    EXPECT_EQ(MainClass::getNbColumns(4), 2);
    EXPECT_EQ(MainClass::getNbColumns(5), 3);
    EXPECT_EQ(MainClass::getNbColumns(9), 3);
    EXPECT_EQ(MainClass::getNbColumns(10), 4);
    EXPECT_EQ(MainClass::getNbColumns(196), 14);
    EXPECT_EQ(MainClass::getNbColumns(197), 15);
    EXPECT_EQ(MainClass::getNbColumns(200), 15);
}

TEST(RollerGrid, PositionsForOneFiveAndTwoHundredDice) {
    const Int2 begin(10, 50);
    const Int2 half(256, 192);
    EXPECT_EQ(MainClass::getDicePosition(0, 1, begin, half), Int2(10, 50));

    const Int2 five[] = {Int2(10, 50), Int2(180, 50), Int2(351, 50), Int2(10, 178), Int2(180, 178)};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(MainClass::getDicePosition(i, 3, begin, half), five[i]) << i;
    }

    const int columns[] = {0, 34, 68, 102, 136};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(MainClass::getDicePosition(c, 15, begin, half), Int2(10 + columns[c], 50));
    }
    EXPECT_EQ(MainClass::getDicePosition(14, 15, begin, half), Int2(10 + 477, 50));
    EXPECT_EQ(MainClass::getDicePosition(15, 15, begin, half), Int2(10, 50 + 25));
    EXPECT_EQ(MainClass::getDicePosition(30, 15, begin, half), Int2(10, 50 + 51));
    EXPECT_EQ(MainClass::getDicePosition(195, 15, begin, half), Int2(10, 50 + 332));
    EXPECT_EQ(MainClass::getDicePosition(199, 15, begin, half), Int2(146, 382));
    // Small mode halves the area.
    EXPECT_EQ(MainClass::getDicePosition(199, 15, begin, Int2(128, 96)), Int2(10 + 68, 50 + 166));
}

TEST_F(RollerLayout, OneDieSpansTheDiceAreaWidth) {
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small mode" : "normal layout");
        showWindow(small ? 800 : 1024, small ? 600 : 768);
        app.onKeyPressed('8');
        Roller::frame();
        const auto& dice = RollerProbe::heap(app).at(0);
        Sprite& face = RollerProbe::face(app, 8, dice.second);
        EXPECT_EQ(face.getPosition(), Int2(10, 50));
        EXPECT_NEAR(face.getScaledSize().x(), small ? 256 : 512, 1);
    }
}

TEST_F(RollerLayout, DiceOfAFullGridAreOneColumnWide) {
    app.onKeyPressed('m');
    for (int i = 0; i < 200; ++i) {
        app.onKeyPressed('0');
    }
    Roller::frame();
    // The last die drawn is index 199, at column 4 of row 13.
    const auto& last = RollerProbe::heap(app).back();
    Sprite& face = RollerProbe::face(app, 10, last.second);
    EXPECT_EQ(face.getPosition(), Int2(146, 382));
    EXPECT_NEAR(face.getScaledSize().x(), 512 / 15, 1);
}

TEST(RollerVeil, AlphaOverTheRoll) {
    EXPECT_EQ(MainClass::getVeilAlpha(200), 0);
    EXPECT_EQ(MainClass::getVeilAlpha(150), 128);
    EXPECT_EQ(MainClass::getVeilAlpha(101), 254);
    EXPECT_EQ(MainClass::getVeilAlpha(100), 255);
    EXPECT_EQ(MainClass::getVeilAlpha(50), 128);
    EXPECT_EQ(MainClass::getVeilAlpha(1), 2);
}

TEST_F(RollerLayout, VeilHidesTheDiceAtMidRollAndOnlyThen) {
    app.onKeyPressed('6');
    RollerProbe::endRoll(app) = -1;
    Roller::frame();
    // Pixels of the face that stand out from the background.
    std::vector<Int2> inked;
    for (int y = 60; y < 420; y += 6) {
        for (int x = 20; x < 512; x += 6) {
            const Color c = Roller::pixel(x, y);
            if (std::abs(c.r() - 200) + std::abs(c.g() - 200) + std::abs(c.b() - 200) > 90) {
                inked.push_back(Int2(x, y));
            }
        }
    }
    ASSERT_GT(inked.size(), 20u) << "the face picture should show in the dice area";

    // The veil's opacity depends on the time render() reads; bracket that read and
    // draw again when the bracket is too wide to know the opacity.
    bool measured = false;
    for (int attempt = 0; attempt < 10 && !measured; ++attempt) {
        const long start = Utils::getMillisecond();
        RollerProbe::endRoll(app) = start + 104;
        app.render();
        measured = Utils::getMillisecond() - start <= 10;  // 94 <= r <= 104: alpha >= 240
        Roller::frame(false);
    }
    ASSERT_TRUE(measured);
    for (const Int2& p : inked) {
        const Color c = Roller::pixel(p.x(), p.y());
        EXPECT_NEAR(c.r(), 200, 16) << p.x() << ", " << p.y();
        EXPECT_NEAR(c.g(), 200, 16) << p.x() << ", " << p.y();
        EXPECT_NEAR(c.b(), 200, 16) << p.x() << ", " << p.y();
    }
    // Once the roll is over the face shows again.
    RollerProbe::endRoll(app) = Utils::getMillisecond() - 1;
    Roller::frame();
    int shown = 0;
    for (const Int2& p : inked) {
        const Color c = Roller::pixel(p.x(), p.y());
        shown += std::abs(c.r() - 200) + std::abs(c.g() - 200) + std::abs(c.b() - 200) > 90;
    }
    EXPECT_EQ(shown, static_cast<int>(inked.size()));
}

}  // namespace
