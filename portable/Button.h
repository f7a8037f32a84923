// A clickable picture with a caption on it and a frame around it.
#pragma once

#include <string>

#include "Core.h"

class MainClass;
class Sprite;
class TextElement;

// Visible: clickable, framed in grey. Hidden: veiled, frameless and ignored by hit
// tests (the roller marks its current mode this way). Sizes follow isSmallMode.
class Button {
public:
    Button(const char* imageFilepath, const char* text);
    ~Button();
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    // Scales the picture to the button width and puts the caption inside its corner.
    void setPosition(const Int2& pos);
    const Int2& getPosition();
    // The frame and hit box; independent of the picture's own size.
    Int2 getSize();
    void draw(MainClass* this_);
    void hide();
    void show();
    // Left and top edges belong to the button, right and bottom edges do not.
    bool isIn(const Int2& pos);
    void updateImage();

private:
    friend struct RollerProbe;  // lets the window tests look at the caption
    void reloadTextElement();
    Int2 captionPosition();

    std::string m_text;
    Sprite* sprite;
    TextElement* textElement;
    bool isVisible;
    bool previousSmallMode;  // isSmallMode when textElement was built
};
