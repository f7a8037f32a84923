// One dice roller in a real window for the whole test program (GLUT opens one window
// per process), with direct access to its state.
#pragma once

#include <utility>
#include <vector>

#include "Button.h"
#include "Core.h"
#include "DicesGroup.h"
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
    // The selection entry of the die type with nbSided faces, and its face pictures.
    static Button& entry(MainClass& app, int nbSided) {
        return *app.groupOf(nbSided)->insightButton;
    }
    static Sprite& face(MainClass& app, int nbSided, int index) {
        return *app.groupOf(nbSided)->dices.at(index);
    }
    static bool isVisible(Button& button) { return button.isVisible; }
    static TextElement* caption(Button& button) { return button.textElement; }
    static Sprite& picture(Button& button) { return *button.sprite; }
};

// The six die types and the keys that choose them.
const int SIDES[] = {4, 6, 8, 10, 12, 20};
const char KEYS[] = {'4', '6', '8', '0', '1', '2'};

namespace Roller {

MainClass& app();
// Resizes the real window, then tells the frame and the roller as the main loop does.
void resize(int width, int height);
// One frame: render, and wait until the GPU is done so pixels can be read back.
void frame();
// Whether any frame has been drawn yet.
bool hasRendered();
// Back to the state at start: 1024 x 768, one-die mode, empty heap, no animation,
// silent, one frame drawn.
void reset();
// Centre of a button as the last frame placed it.
Int2 centre(Button& button);

}  // namespace Roller
