// catch: a small game on the library, written to be read. It shows the main loop (update()
// returns true while pictures fall, false when nothing moves and the program may sleep),
// sprites, text, held keys, the pointer and sounds.
//
// CATCH_SEED=<number> in the environment fixes where the pictures fall and which ones, for
// a replay or a test; without it every run differs.
#include "MainClass.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "Display.h"
#include "Font.h"
#include "KeyboardManager.h"
#include "MouseManager.h"
#include "OpenGLApp.h"
#include "Sound.h"
#include "SoundManager.h"
#include "Sprite.h"
#include "TextElement.h"
#include "Utils.h"

namespace {

const Color SKY(24, 32, 60, 255);
const Color GROUND(40, 110, 50, 255);
const int GROUND_HEIGHT = 12;     // pixels
const int TOP_LINE = 56;          // pixels: the score and the crosses above it, the fall below
const float START_SPEED = 0.25f;  // heights per second: a picture takes 4 s to fall at first
const float SPEEDUP = 1.06f;      // each catch makes the fall 6 % faster
const float BASKET_SPEED = 0.8f;  // widths per second while an arrow key is held
const long LONGEST_STEP_MS = 50;  // a longer pause (a moved window) counts as this
const int MISSES_PER_ROUND = 3;

// The pictures, font and sounds lie next to the program (the build puts them there).
std::string besideProgram(const char* argv0, const char* name) {
    const std::string path(argv0);
    const size_t slash = path.find_last_of('/');
    return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" + name;
}

// The seed that CATCH_SEED gives, or a fresh one.
unsigned seed() {
    const char* value = std::getenv("CATCH_SEED");
    if (value == nullptr)
        return std::random_device()();
    const std::string text(value);
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        Utils::dieErrorMessageToUser("CATCH_SEED must be a number from 0 to 999999999, not \"" +
                                     text + "\"");
    return static_cast<unsigned>(std::stoul(text));
}

}  // namespace

MainClass::MainClass(const char* argv0)
    : AbstractMainClass(argv0, "Catch", 800, 600, false),
      running(true),
      playing(false),
      score(0),
      missed(0),
      basketX(0.5f),
      fallSpeed(START_SPEED),
      lastUpdateMs(0),
      untilNextDrop(0),
      randomness(seed()),
      scoreText(nullptr) {
    // The window, the Display and the managers exist from here on: load the media now.
    // The font image is the hello example's pixel font, drawn twice its size.
    font = new Font("pixel", besideProgram(argv0, "catch_font.png"), 2.0f, 6, 2);
    basket = new Sprite(besideProgram(argv0, "catch_basket.png").c_str());
    const char* names[3] = {"catch_apple.png", "catch_star.png", "catch_drop.png"};
    for (int i = 0; i < 3; ++i)
        pictures[i] = new Sprite(besideProgram(argv0, names[i]).c_str());
    help = new TextElement(font,
                           "Catch what falls: the arrow keys\nor the pointer move the basket.\n\n"
                           "Space starts, Escape quits.",
                           20, colorWhite);
    roundOver = new TextElement(font, "Three missed: round over.\nSpace starts a new one.", 20,
                                colorYellow);
    setScore(0);
    caught = getSoundManager()->loadSound(besideProgram(argv0, "catch_caught.wav").c_str());
    missedSound = getSoundManager()->loadSound(besideProgram(argv0, "catch_missed.wav").c_str());
}

MainClass::~MainClass() {
    // Free what the constructor created, before the base class stops sound and window.
    delete caught;
    delete missedSound;
    delete scoreText;  // the text elements before the font they draw with
    delete help;
    delete roundOver;
    delete font;
    delete basket;
    for (Sprite* picture : pictures)
        delete picture;
}

bool MainClass::update() {
    // The main loop looks at the window size only while it idles. This game never idles
    // during a round, so it asks each step: the window may change size at any time.
    OpenGLApp_checkWindowSize();
    const long now = Utils::getMillisecond();
    const long elapsed = std::min(now - lastUpdateMs, LONGEST_STEP_MS);
    lastUpdateMs = now;
    if (!playing) {
        // Nothing moves: false lets the loop sleep until a key, a click or a resize.
        return false;
    }
    moveBasket(elapsed);
    fall(elapsed);
    // True asks for the next step and frame at once (up to 100 a second). The step that
    // ends the round returns false already.
    return playing;
}

void MainClass::moveBasket(long elapsedMs) {
    // Pointer motion reaches no handler; the mouse manager keeps its last position. The
    // basket follows the pointer whenever it has moved, and the held arrow keys otherwise.
    const int width = getDisplay()->getWindowSize().width();
    const Int2 pointer = getMouseManager()->getMousePosition();
    if (pointer != lastPointer) {
        basketX = static_cast<float>(pointer.x()) / width;
        lastPointer = pointer;
    }
    KeyboardManager* keys = getKeyboardManager();
    const float step = BASKET_SPEED * elapsedMs / 1000.0f;
    if (keys->getKey(KeyboardManager::KEYASCII_LEFT))
        basketX -= step;
    if (keys->getKey(KeyboardManager::KEYASCII_RIGHT))
        basketX += step;
    // The whole basket stays inside the window (centred in one narrower than itself).
    const float half = basket->getScaledSize().width() / 2.0f / width;
    basketX = half >= 0.5f ? 0.5f : std::clamp(basketX, half, 1.0f - half);
}

void MainClass::fall(long elapsedMs) {
    const Int2 window = getDisplay()->getWindowSize();
    // A new picture somewhere along the top, more often as the fall gets faster.
    untilNextDrop -= elapsedMs;
    if (untilNextDrop <= 0) {
        Sprite* picture = pictures[std::uniform_int_distribution<int>(0, 2)(randomness)];
        const float x = std::uniform_real_distribution<float>(0.1f, 0.9f)(randomness);
        falling.push_back({picture, x, static_cast<float>(TOP_LINE) / window.height()});
        untilNextDrop = static_cast<long>(600 / fallSpeed);
    }
    const int rim = basketTop();
    const float reach = basket->getScaledSize().width() / 2.0f;  // pixels either side
    for (size_t i = 0; i < falling.size();) {
        Falling& f = falling[i];
        // Its bottom edge in pixels, before and after this step's fall.
        const float height = static_cast<float>(f.picture->getScaledSize().height());
        const float before = f.y * window.height() + height;
        f.y += fallSpeed * elapsedMs / 1000.0f;
        const float after = f.y * window.height() + height;
        const bool overBasket = std::abs(f.x - basketX) * window.width() <= reach;
        if (before < rim && after >= rim && overBasket) {
            // Caught as its bottom edge crosses the rim. play(false) returns at once.
            caught->play(false);
            setScore(score + 1);
            fallSpeed *= SPEEDUP;
            falling.erase(falling.begin() + i);
        } else if (f.y >= 1.0f) {
            // Gone out at the bottom of the window.
            missedSound->play(false);
            falling.erase(falling.begin() + i);
            if (++missed == MISSES_PER_ROUND) {
                playing = false;
                return;
            }
        } else {
            ++i;
        }
    }
}

void MainClass::setScore(int newScore) {
    // A text element's text is fixed when it is made: a new score is a new element.
    score = newScore;
    delete scoreText;
    scoreText = new TextElement(font, ("Score " + std::to_string(score)).c_str(), 20, colorWhite);
}

int MainClass::basketTop() {
    return getDisplay()->getWindowSize().height() - GROUND_HEIGHT -
           basket->getScaledSize().height();
}

void MainClass::startRound() {
    playing = true;
    missed = 0;
    setScore(0);
    fallSpeed = START_SPEED;
    untilNextDrop = 0;
    falling.clear();
    lastUpdateMs = Utils::getMillisecond();
}

void MainClass::render() {
    // Everything is drawn anew each frame, in window pixels: origin top-left, y down.
    Display* display = getDisplay();
    const Int2 window = display->getWindowSize();
    display->clearScreen(SKY);
    display->drawRoundedRectangle(Int2(0, window.height() - GROUND_HEIGHT), window, GROUND, 0, 1,
                                  true);

    // One sprite draws every picture of its kind: place it, draw it, place it again.
    for (const Falling& f : falling) {
        const int left =
            static_cast<int>(f.x * window.width()) - f.picture->getScaledSize().x() / 2;
        f.picture->setPosition(Int2(left, static_cast<int>(f.y * window.height())));
        f.picture->draw();
    }
    const int left = static_cast<int>(basketX * window.width()) - basket->getScaledSize().x() / 2;
    basket->setPosition(Int2(left, basketTop()));
    basket->draw();

    scoreText->setPosition(Int2(16, 12));
    scoreText->draw();
    // A cross for each picture that may be missed, at the top right: red once it is.
    for (int i = 0; i < MISSES_PER_ROUND; ++i) {
        const Int2 centre(window.width() - 30 - 36 * i, 28);
        const Color colour = i < missed ? colorRed : colorGrey;
        display->drawLine(centre - Int2(10, 10), centre + Int2(10, 10), colour, 4);
        display->drawLine(centre + Int2(-10, 10), centre + Int2(10, -10), colour, 4);
    }
    if (!playing) {
        TextElement* text = missed == MISSES_PER_ROUND ? roundOver : help;
        text->setPosition(Int2(std::min(window.width() / 10, 80), window.height() / 3));
        text->draw();
    }
}

void MainClass::onKeyPressed(int virtualKey) {
    // The arrows are read as held keys in update(); here only what happens once per press.
    if (virtualKey == KeyboardManager::KEYASCII_ESCAPE)
        running = false;
    else if (virtualKey == ' ' && !playing)
        startRound();
}

void MainClass::onKeyReleased(int /*virtualKey*/) {}

// The basket follows the pointer's motion (see moveBasket); its buttons do nothing here.
void MainClass::onPointerPressed(int /*button*/, int /*x*/, int /*y*/) {}
void MainClass::onPointerReleased(int /*button*/, int /*x*/, int /*y*/) {}

void MainClass::onWindowResize() {
    // Positions are fractions of the window, so the game stays as it was; only the basket
    // may now reach past a narrower window's edge.
    moveBasket(0);
}

bool MainClass::isRunning() {
    return running;
}
