#include <string>

#include "GraphicsTest.h"
#include "OpenGL.h"
#include "Sprite.h"
#include "TestPng.h"

namespace {

class SpriteTest : public GraphicsTest {
protected:
    // A plain white picture 204 wide and 40 high, the width the scale cases are about.
    std::string widePicture() {
        return TestPng::writeFile("wide.png", TestPng::solid(204, 40, {255, 255, 255, 255}));
    }
};

TEST_F(SpriteTest, NewSpriteDrawsAtOriginAtThePictureSize) {
    Sprite sprite(widePicture().c_str());
    EXPECT_TRUE(sprite.isLoaded());
    EXPECT_EQ(sprite.getPosition().x(), 0);
    EXPECT_EQ(sprite.getPosition().y(), 0);
    EXPECT_EQ(sprite.getOriginalSize().x(), 204);
    EXPECT_EQ(sprite.getOriginalSize().y(), 40);
    EXPECT_EQ(sprite.getScaledSize().x(), 204);

    sprite.updateImage();
    sprite.draw();
    const TestWindow::Box box = TestWindow::litBox();
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 203);
    EXPECT_EQ(box.bottom, 39);
    expectNear(TestWindow::at(100, 20), 255, 255, 255, "inside");
}

TEST_F(SpriteTest, ScaledSizeIsTruncatedPerAxisAndIsWhatIsDrawn) {
    Sprite sprite(widePicture().c_str());
    sprite.setPosition(Int2(10, 20));
    struct Case {
        float scale;
        int width, height;
    };
    // 204 * 0.333 = 67.932 and 40 * 0.333 = 13.32 are cut, not rounded.
    for (const Case& c : {Case{0.5f, 102, 20}, Case{0.333f, 67, 13}, Case{1.0f, 204, 40}}) {
        SCOPED_TRACE(c.scale);
        TestWindow::clear();
        sprite.setScale(c.scale);
        EXPECT_EQ(sprite.getScaledSize().x(), c.width);
        EXPECT_EQ(sprite.getScaledSize().y(), c.height);
        sprite.draw();
        const TestWindow::Box box = TestWindow::litBox();
        EXPECT_EQ(box.left, 10);
        EXPECT_EQ(box.top, 20);
        EXPECT_EQ(box.right - box.left + 1, c.width);
        EXPECT_EQ(box.bottom - box.top + 1, c.height);
    }
}

TEST_F(SpriteTest, OpacityTintsOnlyThatDrawAndLeavesWhite) {
    Sprite sprite(widePicture().c_str());
    sprite.draw(0.5f);
    expectWhiteColour();
    // trunc(0.5 * 255) = 127 over black.
    expectNear(TestWindow::at(50, 10), 127, 127, 127, "half opacity");

    // The next plain draw shows the picture in its own colours again.
    sprite.setPosition(Int2(0, 100));
    sprite.draw();
    expectNear(TestWindow::at(50, 110), 255, 255, 255, "plain after opacity");

    TestWindow::clear();
    sprite.draw(0.0f);
    expectWhiteColour();
    EXPECT_FALSE(TestWindow::anyLit(0, 100, 204, 40));

    // Out of range, the alpha is the low byte of the truncated product: 1.5 gives 382,
    // that is 126; -0.5 gives -127, that is 129.
    sprite.draw(1.5f);
    expectNear(TestWindow::at(50, 110), 126, 126, 126, "opacity 1.5");
    TestWindow::clear();
    sprite.draw(-0.5f);
    expectNear(TestWindow::at(50, 110), 129, 129, 129, "opacity -0.5");
    expectWhiteColour();
}

TEST_F(SpriteTest, DrawsTexturedAfterTheUntexturedPrimitives) {
    const std::string path =
        TestPng::writeFile("green.png", TestPng::solid(8, 8, {30, 200, 90, 255}));
    Sprite sprite(path.c_str());
    sprite.setPosition(Int2(20, 20));
    sprite.setScale(4.0f);
    // Lines and rectangles turn texturing off and leave white behind.
    TestWindow::gl().drawRectangle(Int2(0, 0), Int2(10, 10), colorRed, true);
    TestWindow::gl().drawLine(Int2(0, 15), Int2(100, 15), colorBlue, 1.0f);
    sprite.draw();
    expectNear(TestWindow::at(30, 30), 30, 200, 90, "sprite");
    expectNear(TestWindow::at(5, 5), 254, 0, 0, "rectangle");
}

TEST_F(SpriteTest, MissingFileEndsWithItsPath) {
    const std::string path = TestPng::scratchDir() + "/no such picture.png";
    const ChildResult run = runFatal("sprite", path);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out.rfind("ERROR: " + path + "\n#### Program cannot continue.\n", 0), 0u)
        << run.out;
}

TEST_F(SpriteTest, FileThatIsNotAPngEndsWithTheAssertionLine) {
    const std::string path = TestPng::writeFile("text.png", {'h', 'e', 'l', 'l', 'o', '\n'});
    const ChildResult run = runFatal("sprite", path);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out.rfind("ASSERTION FAILED: ", 0), 0u) << run.out;
    EXPECT_EQ(run.out.find("survived"), std::string::npos);
}

}  // namespace
