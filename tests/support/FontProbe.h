#pragma once

#include "Font.h"

// Opens a font's private tables and drawing operations to the tests.
class FontProbe {
public:
    explicit FontProbe(const Font& font) : m_font(font) {}

    int cellStart(unsigned char c) const { return m_font.tabPos[c]; }
    int cellWidth(unsigned char c) const { return m_font.tabWidth[c]; }
    int width(const char* text, int count, float scale) const {
        return m_font.getWidth(text, count, scale);
    }
    int height(float scale) const { return m_font.getHeight(scale); }
    Int2 draw(const Color& colour, Int2 pos, const char* text, Float2 scale, int count = -1,
              bool bold = false) const {
        return m_font.drawText(colour, pos, text, scale, count, bold);
    }
    Int2 drawWrapped(const Color& colour, const Int2& pos, const char* text,
                     unsigned int lineReturn, const Float2& scale) const {
        return m_font.drawTextWithLineReturn(colour, pos, text, lineReturn, scale, false, -1);
    }

private:
    const Font& m_font;
};
