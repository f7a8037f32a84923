#pragma once

#include <string>

#include "AbstractMainClass.h"
#include "Core.h"

class Font;
class Sound;
class Sprite;
class TextElement;

// Every program built on the library provides one class named MainClass, derived from
// AbstractMainClass, with a constructor taking the program path. The library creates it,
// runs the main loop and calls the handlers below.
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
    bool running;
    Int2 lastClick;   // where the pointer was last pressed; a cross is drawn there
    int pulseFrames;  // frames left of the animation started by a click

    // Created in the constructor, once the window exists; freed in the destructor.
    Font* font;
    Sprite* picture;
    TextElement* greeting;
    Sound* chime;  // played by the space bar
};
