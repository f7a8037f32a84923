#include "Button.h"

#include "Display.h"
#include "Font.h"
#include "MainClass.h"
#include "RollerSettings.h"
#include "Sprite.h"
#include "TextElement.h"

Button::Button(const char* imageFilepath, const char* text)
    : m_text(text),
      sprite(nullptr),
      textElement(nullptr),
      isVisible(true),
      previousSmallMode(false) {
    sprite = new Sprite(imageFilepath);
    reloadTextElement();
}

Button::~Button() {
    delete sprite;
    delete textElement;
}

void Button::setPosition(const Int2& pos) {
    const int width = getSize().x();
    const int originalWidth = sprite->getOriginalSize().x();
    if (originalWidth > 0) {
        sprite->setScale(static_cast<float>(width) / static_cast<float>(originalWidth));
    }
    sprite->setPosition(pos);
    textElement->setPosition(captionPosition());
}

const Int2& Button::getPosition() {
    return sprite->getPosition();
}

Int2 Button::getSize() {
    if (isSmallMode) {
        return Int2(BUTTON_WIDTH / 2, BUTTON_HEIGHT / 2);
    }
    return Int2(BUTTON_WIDTH, BUTTON_HEIGHT);
}

void Button::draw(MainClass* this_) {
    if (previousSmallMode != isSmallMode) {
        // The layout changed size: rebuild the caption now so this very frame shows it
        // at the new text size and in its place.
        reloadTextElement();
        textElement->setPosition(captionPosition());
    }
    if (sprite->isLoaded()) {
        sprite->draw();
    }
    textElement->draw();

    Display* display = this_->getDisplay();
    const Int2 p = getPosition();
    const Int2 q = p + getSize();
    if (isVisible) {
        display->drawRoundedRectangle(p, q, COLOR_BORDERS, 8.0f, 3.0f, false);
        display->drawRoundedRectangle(p, q, COLOR_BORDERS, 0.0f, 3.0f, false);
    } else {
        display->drawRoundedRectangle(p, q, COLOR_HIDDEN_BUTTON, 0.0f, 0.0f, true);
        display->drawRoundedRectangle(p, q, COLOR_BACK, 8.0f, 3.0f, false);
        display->drawRoundedRectangle(p, q, COLOR_BACK, 0.0f, 3.0f, false);
    }
}

void Button::hide() {
    isVisible = false;
}

void Button::show() {
    isVisible = true;
}

bool Button::isIn(const Int2& pos) {
    if (!isVisible) {
        return false;
    }
    const Int2 corner = getPosition();
    return pos >= corner && pos < corner + getSize();
}

void Button::updateImage() {
    sprite->updateImage();
}

void Button::reloadTextElement() {
    delete textElement;
    textElement = new TextElement(Font::getDefaultFont(), m_text.c_str(),
                                  isSmallMode ? TEXT_SIZE_SMALL_MODE : TEXT_SIZE, COLOR_TEXT);
    previousSmallMode = isSmallMode;
}

Int2 Button::captionPosition() {
    return sprite->getPosition() + Int2(10, 10);
}
