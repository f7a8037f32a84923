#include "TextElement.h"

#include "Font.h"
#include "Utils.h"

namespace {

// The size at which a font draws at its own size.
const float NATIVE_SIZE = 20.0f;

// Checked before the copy: a null text must end the program cleanly, not crash it.
const char* checkedText(const char* text) {
    UTILS_ASSERT(text != nullptr);
    return text;
}

}  // namespace

TextElement::TextElement(const Font* font, const char* text, float size, const Color& color)
    : m_font(font),
      textmem(checkedText(text)),
      colormem(color),
      m_scale(size / NATIVE_SIZE),
      m_pos(0, 0) {}

TextElement::~TextElement() {}

void TextElement::setPosition(const Int2& position) {
    m_pos = position;
}

Int2 TextElement::getPosition() {
    return m_pos;
}

void TextElement::draw() {
    UTILS_ASSERT(m_font != nullptr);
    m_font->drawText(colormem, m_pos, textmem.c_str(), Float2(m_scale, m_scale), -1, false);
}
