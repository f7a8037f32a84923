#pragma once

#include <string>

#include "Core.h"

class Font;

/// A piece of text bound to a font, a size, a colour and a position: the way the
/// application draws text. Text, font, size and colour are fixed at construction; to
/// show something else, replace the element. The font must outlive the element.
class TextElement {
public:
    /// size 20 draws the font at its own size (times its relative scale). The element
    /// keeps its own copy of text.
    TextElement(const Font* font, const char* text, float size, const Color& color);
    ~TextElement();

    ///@{
    /// Top-left pen position of the first line, in window pixels; (0, 0) at first.
    void setPosition(const Int2& position);
    Int2 getPosition();
    ///@}

    /// Draws the whole text; every line starts at the element's x.
    void draw();

private:
    const Font* m_font;
    std::string textmem;
    Color colormem;
    float m_scale;
    Int2 m_pos;
};
