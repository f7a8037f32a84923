// Pictures and text drawn by the library in a real window and read back from the frame.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <lodepng.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "FontImage.h"
#include "FontProbe.h"
#include "FrameReader.h"
#include "FrameSnapshot.h"
#include "Image.h"
#include "ImagePreloader.h"
#include "Mipmaps.h"
#include "OpenGL.h"
#include "Sprite.h"
#include "TextElement.h"
#include "Texture.h"

namespace {

OpenGL& window() {
    static OpenGL* gl = new OpenGL("graphics-tests", "graphics tests", 256, 256, false);
    return *gl;
}

// Every test starts on a black window with the library's opaque white current colour.
class Graphics : public ::testing::Test {
protected:
    void SetUp() override {
        window().clearScreen(colorBlack);
        Texture::resetColor();
    }
};

// The picture encoded as a PNG.
std::vector<unsigned char> png(const std::vector<unsigned char>& rgba, unsigned width,
                               unsigned height) {
    std::vector<unsigned char> bytes;
    EXPECT_EQ(lodepng::encode(bytes, rgba, width, height), 0u);
    return bytes;
}

// Sprites and fonts load files: a scratch file, removed by the caller once loaded.
std::string writePng(const std::vector<unsigned char>& rgba, unsigned width, unsigned height) {
    const std::string path = "graphics-test-" + std::to_string(getpid()) + ".png";
    EXPECT_EQ(lodepng::save_file(png(rgba, width, height), path), 0u);
    return path;
}

std::unique_ptr<Image> imageOf(std::vector<unsigned char> bytes) {
    return std::make_unique<Image>(bytes.data(), bytes.size());
}

// 8 x 8: red follows the column, green the row.
std::vector<unsigned char> patternPng() {
    std::vector<unsigned char> rgba;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            rgba.insert(rgba.end(), {(unsigned char)(x * 32), (unsigned char)(y * 32), 128, 255});
    return png(rgba, 8, 8);
}
std::unique_ptr<Image> pattern() {
    return imageOf(patternPng());
}

void expectNear(const Rgba& got, int r, int g, int b, int tolerance = 2) {
    EXPECT_NEAR(got.r, r, tolerance);
    EXPECT_NEAR(got.g, g, tolerance);
    EXPECT_NEAR(got.b, b, tolerance);
}

// The pattern's texel (x mod 8, y) at (left + x, top + y).
void expectPattern(int left, int top, int width = 8) {
    const FrameRect got = readFrame();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < width; ++x)
            expectNear(got.at(left + x, top + y), x % 8 * 32, y * 32, 128);
}

// The smallest rectangle holding every lit pixel: left, top, right, bottom.
std::array<int, 4> litBox(int x = 0, int y = 0, int width = 256, int height = 256) {
    const FrameRect frame = readFrame();
    std::array<int, 4> box{256, 256, -1, -1};
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            if (const Rgba p = frame.at(column, row); p.r || p.g || p.b)
                box = {std::min(box[0], column), std::min(box[1], row), std::max(box[2], column),
                       row};
    return box;
}
bool anyLit(int x, int y, int width, int height) {
    return litBox(x, y, width, height)[2] >= 0;
}

void expectWhiteColour() {
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(std::vector<float>(colour, colour + 4), std::vector<float>(4, 1.0f)) << "RGBA";
}

// A frame step leaves white, the bottom-left raster position and byte-aligned rows to the
// next frame's own GL calls.
TEST_F(Graphics, FrameStepsResetColourRasterPositionAndUnpacking) {
    glColor3f(0, 0, 0);
    glRasterPos2i(9, 9);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    window().manage();
    expectWhiteColour();
    float raster[4], alignment = 0;
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    glGetFloatv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(raster[0], 0) << "raster x";
    EXPECT_EQ(raster[1], 0) << "raster y";
    EXPECT_EQ(alignment, 1) << "unpack alignment";
}

// Upright, whole or by fractions that repeat beyond one; after its pixels are dropped, an
// image keeps its texture and size.
TEST_F(Graphics, TexturesDrawUprightWholeOrByFractions) {
    const std::unique_ptr<Image> image = pattern();
    image->freeUselessMemory();
    image->freeUselessMemory();
    EXPECT_EQ(image->getDataPixels(), nullptr);
    EXPECT_EQ(Int2(8, 8), image->size());
    Texture::drawTexture(image->getIdTexture(), 20, 30, 8, 8);
    expectPattern(20, 30);
    EXPECT_FALSE(anyLit(0, 0, 20, 256)) << "left of the picture";
    EXPECT_FALSE(anyLit(20, 38, 8, 10)) << "below the picture";
    Texture::drawFragmentOfTexture(image->getIdTexture(), 100, 10, 0, 0, 2, 1, 16, 8);
    expectPattern(100, 10, 16);
    // Columns 4 to 7 of rows 0 to 3, texel for pixel.
    Texture::drawFragmentOfTexture(image->getIdTexture(), 40, 40, 0.5f, 0, 1, 0.5f, 4, 4);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            expectNear(readPixel(40 + i, 40 + j), (4 + i) * 32, j * 32, 128);
}

// A red tint keeps only red; alpha 128 over black halves every channel; alpha 25 is below the
// 0.1 alpha test. Reset, the colour is white again.
TEST_F(Graphics, ATintMultipliesTheTexelsUntilReset) {
    const std::unique_ptr<Image> image = pattern();
    const std::tuple<const char*, Color, int, float, float> cases[] = {
        {"red", Color(255, 0, 0, 255), 0, 1, 0},
        {"half", Color(255, 255, 255, 128), 20, 0.5f, 0.5f},
        {"below the alpha test", Color(255, 255, 255, 25), 40, 0, 0}};
    for (const auto& [name, tint, x, red, green] : cases) {
        SCOPED_TRACE(name);
        Texture::setColor(tint);
        Texture::drawTexture(image->getIdTexture(), x, 0, 8, 8);
        Texture::resetColor();
        expectWhiteColour();
        expectNear(readPixel(x + 5, 3), int(160 * red), int(96 * green), int(128 * green + 0.5f));
    }
}

// Magnified, a texture blends neighbouring texels; a 1 x 1 picture fills any size.
TEST_F(Graphics, TexturesMagnifySmoothlyAndOneTexelFillsAnySize) {
    Texture::drawTexture(imageOf(png({0, 0, 0, 255, 255, 255, 255, 255}, 2, 1))->getIdTexture(), 0,
                         0, 200, 4);
    expectNear(readPixel(100, 2), 128, 128, 128, 20);
    const std::unique_ptr<Image> dot = imageOf(png({0, 0, 255, 255}, 1, 1));
    for (const int side : {1, 7, 130}) {
        window().clearScreen(colorBlack);
        Texture::drawTexture(dot->getIdTexture(), 10, 10, side, side);
        const auto box = litBox();
        EXPECT_EQ(box, (std::array<int, 4>{10, 10, 9 + side, 9 + side})) << side;
    }
}

// A frame copied and drawn back shows what it held, whatever alpha the frame had; a frame
// wider than any texture, or without width, is not copied; one pixel is.
TEST_F(Graphics, FrameSnapshotsDrawBackTheFrame) {
    for (const Int2& size : {Int2(1 << 20, 8), Int2(0, 8)})
        EXPECT_FALSE(FrameSnapshot().take(size)) << size.x() << " x " << size.y();
    EXPECT_TRUE(FrameSnapshot().take(Int2(1, 1))) << "the smallest frame";
    window().clearScreen(Color(0, 0, 255, 0));
    FrameSnapshot snapshot;
    ASSERT_TRUE(snapshot.take(Int2(256, 256)));
    window().clearScreen(colorRed);
    snapshot.draw();
    expectNear(readPixel(5, 5), 0, 0, 255);
}

// A checked picture decodes when first used, to the pixels of one decoded at once (the
// roller's faces are drawn from checked pictures). A damaged chunk, a cut file, a file
// without image data and one without the signature's first byte fail the check.
TEST_F(Graphics, CheckedPicturesDecodeAtFirstUseAndDamageFailsTheCheck) {
    ImagePreloader({{"/proc/self/exe", false}, {"/proc/self/exe", true}});  // workers stop
    const std::vector<unsigned char> file = patternPng();
    PreparedPicture picture;
    ASSERT_TRUE(Image::check(std::vector<unsigned char>(file), &picture));
    Image image(std::move(picture));
    EXPECT_EQ(Int2(8, 8), image.size());
    EXPECT_EQ(0, std::memcmp(image.getDataPixels(), pattern()->getDataPixels(), 256));
    std::vector<unsigned char> damaged = file, noData(file.begin(), file.begin() + 33);
    damaged[file.size() - 20] ^= 1;  // in the image data, just before IEND
    noData.insert(noData.end(), file.end() - 12, file.end());
    for (const auto& bad : {damaged, noData, std::vector(file.begin(), file.end() - 1),
                            std::vector(file.begin() + 1, file.end())})
        EXPECT_FALSE(Image::check(std::vector<unsigned char>(bad), &picture));
}

// Levels built off the main thread are GLU's, level for level (powers of two only). Shrunk,
// a texture draws from its levels: a 4 x 4 picture drawn at 1 x 1 shows the mean of its
// texels, not of the middle four.
TEST_F(Graphics, MipmapLevelsAreThoseOfGluAndShrunkTexturesDrawFromThem) {
    EXPECT_FALSE(Mipmaps::canBuild(6, 4)) << "a side not a power of two";
    EXPECT_FALSE(Mipmaps::canBuild(4, 0)) << "an empty side";
    for (const auto& [width, height] : {std::pair{16u, 16u}, {8u, 2u}, {2u, 8u}, {4u, 1u}}) {
        std::vector<unsigned char> rgba(width * height * 4),
            levels(Mipmaps::smallerLevelsBytes(width, height));
        for (size_t i = 0; i < rgba.size(); ++i)
            rgba[i] = (unsigned char)(i * 37 % 251);
        ASSERT_TRUE(Mipmaps::canBuild(width, height));
        Mipmaps::buildSmallerLevels(rgba.data(), width, height, levels.data());
        GLuint textures[2] = {
            GLuint(Texture::loadTextureWithLevels(width, height, rgba.data(), levels.data()))};
        glGenTextures(1, &textures[1]);
        glBindTexture(GL_TEXTURE_2D, textures[1]);
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                          rgba.data());
        for (int i = 0; (width | height) >> i; ++i) {
            std::vector<unsigned char> texels[2];
            for (int t : {0, 1}) {
                texels[t].resize(std::max(width >> i, 1u) * std::max(height >> i, 1u) * 4);
                glBindTexture(GL_TEXTURE_2D, textures[t]);
                glGetTexImage(GL_TEXTURE_2D, i, GL_RGBA, GL_UNSIGNED_BYTE, texels[t].data());
            }
            EXPECT_EQ(texels[0], texels[1]) << width << " x " << height << " level " << i;
        }
        glDeleteTextures(2, textures);
    }
    std::vector<unsigned char> ring(4 * 4 * 4, 255);
    for (int i : {5, 6, 9, 10})
        std::fill_n(ring.begin() + i * 4, 3, 0);  // black in the middle
    Texture::drawTexture(imageOf(png(ring, 4, 4))->getIdTexture(), 50, 50, 1, 1);
    expectNear(readPixel(50, 50), 191, 191, 191);
}

// Opacity tints only the draw it is given: alpha is the low byte of trunc(opacity * 255), 1.5
// gives 382, that is 126.
TEST_F(Graphics, SpriteDrawsAtItsPositionAtTheTruncatedScaledSizeAndOpacity) {
    const std::string path = writePng(std::vector<unsigned char>(204 * 40 * 4, 255), 204, 40);
    Sprite sprite(path.c_str());
    std::filesystem::remove(path);
    EXPECT_EQ(Int2(204, 40), sprite.getOriginalSize());
    // As made: at (0, 0) at its own size. 204 * 0.333 = 67.932 and 40 * 0.333 = 13.32 are
    // cut, not rounded.
    for (const auto& [position, scale, size] :
         {std::tuple{Int2(0, 0), 0.0f, Int2(204, 40)}, {Int2(10, 20), 0.333f, Int2(67, 13)}}) {
        window().clearScreen(colorBlack);
        if (scale > 0) {
            sprite.setPosition(position);
            sprite.setScale(scale);
        }
        EXPECT_EQ(size, sprite.getScaledSize());
        sprite.draw();
        const auto box = litBox();
        EXPECT_EQ(position, Int2(box[0], box[1]));
        EXPECT_EQ(size, Int2(box[2] - box[0] + 1, box[3] - box[1] + 1)) << scale;
    }
    sprite.setScale(NAN);
    EXPECT_EQ(Int2(0, 0), sprite.getScaledSize()) << "a scale that is not a number";
    sprite.setScale(0.333f);
    for (const auto& [opacity, grey] :
         {std::pair<float, int>{0.5f, 127}, {1.5f, 126}, {-0.5f, 129}}) {
        window().clearScreen(colorBlack);
        sprite.draw(opacity);
        expectWhiteColour();
        expectNear(readPixel(20, 25), grey, grey, grey);
    }
    sprite.draw();
    expectNear(readPixel(20, 25), 255, 255, 255);
}

// Relative scale 1.5, space 6, reduction 2, as the dice roller's font; the glyph of a code is
// 1 + code % 3 columns of ink in a cell 4 wider (FontImage::full()), 11 pixels high.
Font* loadFont() {
    const std::string columns = FontImage::full();
    const std::string path = writePng(FontImage::pixels(columns, 11), unsigned(columns.size()), 11);
    Font* loaded = new Font("test", path, 1.5f, 6, 2);
    std::filesystem::remove(path);
    return loaded;
}
Font& font() {
    static Font* shared = loadFont();
    return *shared;
}
int cell(int code, float scale) {
    return int((1 + code % 3 + 4) * scale);
}

TEST_F(Graphics, FontPenMovesBySpacesGlyphsAndNewlinesAndSkipsCharactersWithoutGlyphs) {
    const FontProbe probe(font());
    // Scale 1.5: a space 9, a line trunc(11 * 1.5) = 16, a glyph its cell less 2, times 1.5.
    auto advance = [](int code) { return int((1 + code % 3 + 4 - 2) * 1.5); };
    for (const auto& [text, count, x, y] : {std::tuple<const char*, int, int, int>{" ", -1, 19, 20},
                                            {"!\"", -1, 10 + advance('!') + advance('"'), 20},
                                            {"A\nB", -1, 10 + advance('B'), 36},
                                            {"\n\n", -1, 10, 52},
                                            {"! !", 2, 10 + advance('!') + 9, 20},
                                            {"!!!", 0, 10, 20},
                                            {"!\0!", 3, 10 + 2 * advance('!'), 20},
                                            {"\t\x7f\x80\xc3\xa9\xff", -1, 10, 20}}) {
        EXPECT_EQ(Int2(x, y), probe.draw(colorRed, Int2(10, 20), text, Float2(1.0f), count))
            << text;
        expectWhiteColour();
    }
    window().clearScreen(colorBlack);
    probe.draw(colorWhite, Int2(10, 20), "\t\x7f\x80\xc3\xa9\xff", Float2(1.0f));
    probe.draw(colorWhite, Int2(10, 20), "abc", Float2(1.0f), 0);
    EXPECT_FALSE(anyLit(0, 0, 256, 256)) << "characters without glyphs drew something";
}

// Scale 3: the cell of '#' is trunc(7 * 3) = 21 wide and 33 high, the ink one cell column in,
// in the text colour.
TEST_F(Graphics, AGlyphFillsItsCellInTheTextColour) {
    FontProbe(font()).draw(Color(255, 0, 0, 255), Int2(30, 40), "#", Float2(2.0f));
    const auto box = litBox();
    const std::tuple<const char*, int, int, int> edges[] = {{"left", box[0], 32, 34},
                                                            {"right", box[2], 0, 50},
                                                            {"top", box[1], 40, 40},
                                                            {"bottom", box[3], 72, 72}};
    for (const auto& [name, got, low, high] : edges) {
        EXPECT_GE(got, low) << name;
        EXPECT_LE(got, high) << name;
    }
    expectNear(readPixel(36, 60), 255, 0, 0, 50);
}

// Bold covers every stroke of the plain text and widens each of the three by a column; the
// pen ends where it does for plain text.
TEST_F(Graphics, BoldWidensEveryStroke) {
    const FontProbe probe(font());
    const Int2 pen = probe.draw(colorWhite, Int2(10, 10), "!#&", Float2(4.0f));
    const FrameRect plain = readFrame();
    window().clearScreen(colorBlack);
    EXPECT_EQ(pen, probe.draw(colorWhite, Int2(10, 10), "!#&", Float2(4.0f), -1, true));
    const FrameRect bold = readFrame();
    int plainInk = 0, boldInk = 0, lost = 0;
    for (size_t i = 0; i < plain.pixels.size(); ++i) {
        plainInk += plain.pixels[i].r > 128;
        boldInk += bold.pixels[i].r > 128;
        lost += plain.pixels[i].r > 128 && bold.pixels[i].r <= 128;
    }
    EXPECT_GT(plainInk, 0);
    EXPECT_EQ(lost, 0) << "plain ink that bold does not cover";
    EXPECT_GT(boldInk, plainInk + 3 * 33);
}

// Width is that of the widest line of full cells. Wrapped words sit where unwrapped drawing
// puts them. Ending exactly on the wrapping limit wraps; one pixel more room does not. A
// newline starts the next word on the following line; a first word wider than the limit
// stays on line one.
TEST_F(Graphics, FontWidthAndWrapping) {
    const FontProbe probe(font());
    const int abc = cell('a', 1.5f) + cell('b', 1.5f) + cell('c', 1.5f);
    for (const auto& [text, width] : {std::pair<const char*, int>{"abc", abc},
                                      {"ab\nabc", abc},
                                      {"abc\nab", abc},
                                      {"", 0},
                                      {"a b\t", cell('a', 1.5f) + 9 + cell('b', 1.5f)}})
        EXPECT_EQ(probe.width(text, -1, 1.5f), width) << text;
    EXPECT_EQ(probe.width("abc", 2, 1.0f), cell('a', 1) + cell('b', 1));
    EXPECT_EQ(probe.height(1.5f), 16);
    EXPECT_EQ(probe.height(0.975f), 10);
    const int first = probe.draw(colorWhite, Int2(), "ab ", Float2(1.0f)).x();
    const int second = probe.draw(colorWhite, Int2(), "cd", Float2(1.0f)).x();
    for (const auto& [text, limit, pen, firstLine, secondLine] :
         {std::tuple{"ab cd", first + second, Int2(10 + second, 36), true, true},
          {"ab cd", first + second + 1, Int2(10 + first + second, 20), true, false},
          {"ab\ncd", 1000, Int2(10 + second, 36), true, true},
          {"abc", 5, probe.draw(colorWhite, Int2(10, 20), "abc", Float2(1.0f)), true, false}}) {
        window().clearScreen(colorBlack);
        EXPECT_EQ(pen, probe.drawWrapped(colorWhite, Int2(10, 20), text, limit, Float2(1.0f)))
            << text;
        EXPECT_EQ(firstLine, anyLit(10, 20, 8, 16)) << text;
        EXPECT_EQ(secondLine, anyLit(10, 36, 8, 16)) << text;
        expectWhiteColour();
    }
}

TEST_F(Graphics, TextElementDrawsWhatTheFontDrawsAtSizeOverTwentyFromItsPosition) {
    EXPECT_EQ(Int2(0, 0), TextElement(&font(), "!", 20, colorRed).getPosition());
    TextElement element(&font(), " !\n#", 13, colorYellow);
    element.setPosition(Int2(40, 3));
    element.draw();
    const FrameRect drawn = readFrame();
    window().clearScreen(colorBlack);
    FontProbe(font()).draw(colorYellow, Int2(40, 3), " !\n#", Float2(0.65f));
    EXPECT_TRUE(anyLit(40, 3, 100, 50));
    EXPECT_EQ(differing(readFrame(), drawn), 0) << "pixels unlike the font's own drawing";
}

}  // namespace
