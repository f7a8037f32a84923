#pragma once

#include <random>
#include <vector>

#include "AbstractMainClass.h"
#include "Core.h"

class Font;
class Sound;
class Sprite;
class TextElement;

// Catch: pictures fall from the top of the window, faster and faster; a basket at the
// bottom, moved by the arrow keys or following the pointer, catches them. A catch chimes
// and scores, three pictures missed end the round, space starts a new one.
//
// The game keeps its world in fractions of the window (x of its width, y of its height),
// so a window of any size, changed at any time, shows the same game: pixels are worked
// out only to draw and to decide a catch.
class MainClass : public AbstractMainClass {
public:
    explicit MainClass(const char* argv0);
    ~MainClass() override;

    bool update() override;
    void render() override;
    void onPointerPressed(int button, int x, int y) override;
    void onPointerReleased(int button, int x, int y) override;
    void onKeyPressed(int virtualKey) override;
    void onKeyReleased(int virtualKey) override;
    void onWindowResize() override;
    bool isRunning() override;

private:
    struct Falling {
        Sprite* picture;  // one of the three below, not owned
        float x;          // centre, a fraction of the window's width
        float y;          // top, a fraction of the window's height
    };

    void startRound();
    void moveBasket(long elapsedMs);
    void fall(long elapsedMs);
    void setScore(int newScore);
    int basketTop();

    bool running;
    bool playing;  // false before the first round and once three pictures are missed
    int score;
    int missed;
    float basketX;       // centre, a fraction of the width
    float fallSpeed;     // fractions of the height per second
    long lastUpdateMs;   // Utils::getMillisecond() at the previous update
    long untilNextDrop;  // milliseconds
    Int2 lastPointer;    // where the pointer was at the previous update
    std::vector<Falling> falling;
    std::mt19937 randomness;

    // Created in the constructor, once the window exists; freed in the destructor.
    Font* font;
    Sprite* basket;
    Sprite* pictures[3];
    TextElement* scoreText;  // replaced when the score changes
    TextElement* help;
    TextElement* roundOver;
    Sound* caught;
    Sound* missedSound;
};
