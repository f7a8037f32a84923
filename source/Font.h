#pragma once

#include <string>

#include "Core.h"

class Image;

/// A bitmap font cut out of one PNG image: a single row holding the glyphs of "!" (33)
/// to "~" (126) in code order, separated by fully transparent columns, with column 0
/// empty. Only alpha matters to the scan; glyphs are drawn tinted with the text colour,
/// over the image's full height. Space has no glyph: its advance is a parameter.
///
/// Construction scans the image once and keeps only its texture and two tables; text is
/// drawn through TextElement, the one user of the drawing operations. A font owns its
/// image and is never copied.
class Font {
public:
    /// fontName names the typeface the image stands in for (unused by a bitmap font).
    /// relativeScale multiplies every scale passed to drawing; widthSpace is the space's
    /// advance and widthCharReduction the overlap of neighbouring glyph cells, both in
    /// image pixels. A missing or invalid image file ends the program. Needs an OpenGL
    /// context.
    Font(const std::string& fontName, const std::string& replacementTextureMappedFontFile,
         float relativeScale, int widthSpace, int widthCharReduction);
    /// Deletes the image and its texture; leaves the default font pointer alone.
    ~Font();

    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    ///@{
    /// The library's default font; null until set. Whoever sets it deletes the font.
    static Font* getDefaultFont();
    static void setDefaultFont(Font* font);
    ///@}

private:
    friend class TextElement;
    friend class FontProbe;  ///< reads the glyph tables in tests

    /// Draws the first nbCharsToRead characters (all when -1) with the top-left pen at
    /// pos and returns the pen after the last one. "\n" returns to pos's x one line down;
    /// characters without glyph are skipped without moving the pen.
    Int2 drawText(const Color& color, Int2 pos, const char* text, Float2 fontScale,
                  int nbCharsToRead, bool writeBold) const;
    /// Draws word by word, opening a new line before a word whose end would reach
    /// lineReturn pixels from pos; words sit where drawText would put them, and a word
    /// that starts a line stays on it, however wide.
    Int2 drawTextWithLineReturn(const Color& color, const Int2& pos, const char* text,
                                unsigned int lineReturn, const Float2& fontScale, bool writeBold,
                                int nbCharsToRead) const;
    /// Width in pixels of the widest line, counting full cells (no reduction).
    int getWidth(const char* text, int nbCharsToRead, float fontScale) const;
    /// Widest line with each glyph's cell less reduction: 0 gives getWidth, the font's
    /// reduction gives the distance drawText moves the pen.
    int measure(const char* text, int nbCharsToRead, float fontScale, int reduction) const;
    int getHeight(float fontScale) const;
    bool isSupported(char c) const;
    /// Scans the image's alpha for the glyphs of codes beginningAscii..endAscii from
    /// column x on; x ends past the last glyph found.
    void fillTabPosIndex(int beginningAscii, int endAscii, int& x, bool verbose);

    bool hasGlyph(unsigned char c) const { return tabPos[c] != -1; }

    Image* image;
    int tabPos[256];    ///< image column where each glyph cell starts, -1 without glyph
    int tabWidth[256];  ///< cell width in image columns, -1 without glyph
    float m_relativeScale;
    int m_widthSpace;
    int m_widthCharReduction;

    static Font* defaultFont;
};
