// hello: opens a window, draws a frame, a few rectangles, a picture, a line of text and
// a cross where the pointer was last pressed, briefly pulses after every click, chimes
// on the space bar, and quits on Escape.
#include "MainClass.h"

#include "Display.h"
#include "Font.h"
#include "KeyboardManager.h"
#include "Sound.h"
#include "SoundManager.h"
#include "Sprite.h"
#include "TextElement.h"

namespace {

// The picture, font and chime lie next to the program (the build puts them there).
std::string besideProgram(const char* argv0, const char* name) {
    const std::string path(argv0);
    const size_t slash = path.find_last_of('/');
    return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" + name;
}

}  // namespace

MainClass::MainClass(const char* argv0)
    : AbstractMainClass(argv0, "hello", 640, 480, false),
      running(true),
      lastClick(320, 240),
      pulseFrames(0),
      font(nullptr),
      picture(nullptr),
      greeting(nullptr),
      chime(nullptr) {
    // The window, the Display and the managers exist from here on: load pictures, fonts
    // and sounds now. A font image holds the glyphs of "!" to "~"; the numbers are its
    // scale and, in image pixels, the width of a space and the overlap of neighbouring
    // glyph cells.
    font = new Font("pixel", besideProgram(argv0, "hello_font.png"), 1.5f, 6, 2);
    picture = new Sprite(besideProgram(argv0, "hello_picture.png").c_str());
    picture->setScale(3.0f);
    // Size 20 draws the font at its own size times its scale.
    greeting =
        new TextElement(font, "Hello, Tovrik! Click; space chimes; Escape quits.", 20, colorWhite);
    chime = getSoundManager()->loadSound(besideProgram(argv0, "hello_chime.wav").c_str());
}

MainClass::~MainClass() {
    // Free what the constructor created, before the base class stops sound and window.
    delete chime;
    delete greeting;  // before the font it draws with
    delete font;
    delete picture;
}

bool MainClass::update() {
    // True asks the loop for continuous frames (up to 100 a second); false lets it sleep
    // until the next key, button or resize.
    if (pulseFrames > 0) {
        pulseFrames--;
        return true;
    }
    return false;
}

void MainClass::render() {
    Display* display = getDisplay();
    const Int2 size = display->getWindowSize();
    display->clearScreen(Color(32, 40, 56, 255));

    // A frame one pixel inside the window edges: coordinates are window pixels, y down.
    display->drawRoundedRectangle(Int2(0, 0), size - Int2(1, 1), colorGrey, 0, 1, false);

    // Three filled rectangles, the last one semi-transparent over the others.
    display->drawRoundedRectangle(Int2(40, 40), Int2(200, 140), colorBlue, 8, 1, true);
    display->drawRoundedRectangle(Int2(120, 90), Int2(280, 190), colorRed, 8, 1, true);
    display->drawRoundedRectangle(Int2(80, 120), Int2(240, 220), colorSemiTransparent, 8, 1, true);

    // The picture at the top right, its size following the scale, and the text below the
    // rectangles; both are drawn in window pixels like the rest.
    picture->setPosition(Int2(size.x() - picture->getScaledSize().x() - 40, 40));
    picture->draw();
    greeting->setPosition(Int2(40, 250));
    greeting->draw();

    // A cross at the last click, thicker while the click animation runs.
    const float thickness = pulseFrames > 0 ? 5.0f : 2.0f;
    display->drawLine(lastClick - Int2(12, 0), lastClick + Int2(12, 0), colorYellow, thickness);
    display->drawLine(lastClick - Int2(0, 12), lastClick + Int2(0, 12), colorYellow, thickness);
}

void MainClass::onPointerPressed(int button, int x, int y) {
    if (button == 0) {
        lastClick = Int2(x, y);
        pulseFrames = 30;
    }
}

void MainClass::onPointerReleased(int /*button*/, int /*x*/, int /*y*/) {}

void MainClass::onKeyPressed(int virtualKey) {
    if (virtualKey == KeyboardManager::KEYASCII_ESCAPE) {
        running = false;
    } else if (virtualKey == ' ') {
        chime->play(false);  // a chime still ringing starts over
    }
}

void MainClass::onKeyReleased(int /*virtualKey*/) {}

void MainClass::onWindowResize() {
    // The layout above reads the size every frame; nothing to recompute here.
}

bool MainClass::isRunning() {
    return running;
}
