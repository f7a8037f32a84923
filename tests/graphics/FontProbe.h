#pragma once

#include <string>
#include <vector>

#include "Font.h"

// Opens a font's private tables and drawing operations to the tests.
class FontProbe {
public:
    explicit FontProbe(const Font& font) : m_font(font) {}

    int cellStart(unsigned char c) const { return m_font.tabPos[c]; }
    int cellWidth(unsigned char c) const { return m_font.tabWidth[c]; }
    bool isSupported(char c) const { return m_font.isSupported(c); }
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

// Font images made by the tests, described column by column, left to right:
// '.' empty, '#' ink over the full height, 'f' a single faint pixel (alpha 1, black).
namespace TestFont {

std::vector<unsigned char> png(const std::string& columns, unsigned height);

// Column 0 empty, then `count` glyphs each `inkWidth` columns wide, separated by `gap`
// empty columns, padded with empty columns to `totalWidth` when that is larger.
std::string regular(int count, int inkWidth, int gap, size_t totalWidth = 0);

// Writes a font image file and returns its path.
std::string file(const std::string& name, const std::string& columns, unsigned height);

}  // namespace TestFont
