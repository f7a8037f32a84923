// One dice roller in a real window for the whole test program (GLUT opens one window
// per process), with direct access to its state.
#pragma once

#include <utility>
#include <vector>

#include "Button.h"
#include "Core.h"
#include "MainClass.h"

class Sound;
class Sprite;
class TextElement;

// Reads and sets the roller's private state.
struct RollerProbe {
    static std::vector<std::pair<int, int>>& heap(MainClass& app) { return app.dicesStack; }
    static bool oneDiceOnly(MainClass& app) { return app.oneDiceOnly; }
    static long& endRoll(MainClass& app) { return app.millisecondEndRoll; }
    static bool& running(MainClass& app) { return app.isAppRunning; }
    static Sound& sound(MainClass& app) { return *app.sound; }
    static Button& simple(MainClass& app) { return *app.buttonSimple; }
    static Button& multi(MainClass& app) { return *app.buttonMulti; }
    static Button& clear(MainClass& app) { return *app.buttonClear; }
    static Button& reroll(MainClass& app) { return *app.buttonReroll; }
    static TextElement& textMain(MainClass& app) { return *app.textMain; }
    static TextElement& textAdd(MainClass& app) { return *app.textAdd; }
    static TextElement& textSelect(MainClass& app) { return *app.textSelect; }
    // The selection entry of the die type with nbSided faces.
    static Button& entry(MainClass& app, int nbSided);
    // The picture of face `index` (0-based) of that die type.
    static Sprite& face(MainClass& app, int nbSided, int index);

    static bool isVisible(Button& button) { return button.isVisible; }
    static TextElement* caption(Button& button) { return button.textElement; }
    static Sprite& picture(Button& button) { return *button.sprite; }
};

namespace Roller {

MainClass& app();
// Resizes the real window, then tells the frame and the roller as the main loop does.
void resize(int width, int height);
// One frame: render (unless the caller just did) and wait until the GPU is done, so
// pixels can be read back.
void frame(bool render = true);
// The roller if it was created, else null.
MainClass* instanceOrNull();
// Whether any frame has been drawn yet.
bool hasRendered();
// Back to the state at start: 1024 x 768, one-die mode, empty heap, no animation,
// silent, one frame drawn.
void reset();
// Centre of a button as the last frame placed it.
Int2 centre(Button& button);
// The colour of one window pixel (origin top-left), read from the back buffer.
Color pixel(int x, int y);

}  // namespace Roller
