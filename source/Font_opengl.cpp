#include <algorithm>
#include <cstring>

#include "Font.h"
#include "GlyphScan.h"
#include "Image.h"
#include "PixelSize.h"
#include "Utils.h"
#include "opengl/Texture.h"

Font* Font::defaultFont = nullptr;

namespace {

const int FIRST_GLYPH_CODE = 33;  // "!"
const int LAST_GLYPH_CODE = 126;  // "~"

}  // namespace

Font::Font(const std::string& fontName, const std::string& replacementTextureMappedFontFile,
           float relativeScale, int widthSpace, int widthCharReduction)
    : image(nullptr),
      m_relativeScale(relativeScale),
      m_widthSpace(widthSpace),
      m_widthCharReduction(widthCharReduction) {
    (void)fontName;  // a bitmap font has no use for the typeface name
    unsigned long fileSize = 0;
    unsigned char* fileBuffer =
        Utils::readFileIntoNewBuffer(replacementTextureMappedFontFile, &fileSize);
    image = new Image(fileBuffer, fileSize);
    delete[] fileBuffer;

    for (int i = 0; i < 256; ++i) {
        tabPos[i] = -1;
        tabWidth[i] = -1;
    }
    int x = 0;
    fillTabPosIndex(FIRST_GLYPH_CODE, LAST_GLYPH_CODE, x, false);
    // The tables are all that drawing needs from the pixels.
    image->freeUselessMemory();
}

Font::~Font() {
    delete image;
}

Font* Font::getDefaultFont() {
    return defaultFont;
}

void Font::setDefaultFont(Font* font) {
    defaultFont = font;
}

void Font::fillTabPosIndex(int beginningAscii, int endAscii, int& x, bool verbose) {
    const Int2 size = image->size();
    GlyphScan::scan(image->getDataPixels(), size.x(), size.y(), beginningAscii, endAscii, x, tabPos,
                    tabWidth, verbose);
}

Int2 Font::drawText(const Color& color, Int2 pos, const char* text, Float2 fontScale,
                    int nbCharsToRead, bool writeBold) const {
    const Float2 scale(m_relativeScale * fontScale.x(), m_relativeScale * fontScale.y());
    UTILS_ASSERT(text != nullptr);
    if (nbCharsToRead == -1) {
        nbCharsToRead = static_cast<int>(std::strlen(text));
    }
    const int lineStartX = pos.x();
    Texture::setColor(color);

    const Int2 imageSize = image->size();
    const float imageWidth = static_cast<float>(imageSize.x());
    const int lineHeight = truncatePixels(double(imageSize.y()) * scale.y());
    const int textureId = image->getIdTexture();
    for (int i = 0; i < nbCharsToRead; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            pos.setX(lineStartX);
            pos.setY(pos.y() + lineHeight);
        } else if (c == ' ') {
            pos.setX(pos.x() + truncatePixels(double(m_widthSpace) * scale.x()));
        } else if (hasGlyph(c)) {
            const int cellStart = tabPos[c];
            const int cellWidth = tabWidth[c];
            const int w = truncatePixels(double(cellWidth) * scale.x());
            const float x1 = cellStart / imageWidth;
            Texture::drawFragmentOfTexture(textureId, pos.x(), pos.y(), x1, 0.0f,
                                           (cellStart + cellWidth) / imageWidth, 1.0f, w,
                                           lineHeight);
            if (writeBold) {
                // One more source column squeezed into the same cell thickens the strokes.
                Texture::drawFragmentOfTexture(textureId, pos.x(), pos.y(), x1, 0.0f,
                                               (cellStart + cellWidth + 1) / imageWidth, 1.0f, w,
                                               lineHeight);
            }
            pos.setX(pos.x() +
                     truncatePixels(double(cellWidth - m_widthCharReduction) * scale.x()));
        }
    }
    Texture::resetColor();
    return pos;
}

Int2 Font::drawTextWithLineReturn(const Color& color, const Int2& pos, const char* text,
                                  unsigned int lineReturn, const Float2& fontScale, bool writeBold,
                                  int nbCharsToRead) const {
    UTILS_ASSERT(text != nullptr);
    const int count = nbCharsToRead == -1 ? static_cast<int>(std::strlen(text)) : nbCharsToRead;
    const Float2 scale(m_relativeScale * fontScale.x(), m_relativeScale * fontScale.y());
    const int lineHeight = getHeight(scale.y());
    const int limit = static_cast<int>(lineReturn);

    int currentX = 0;
    int currentY = 0;
    int wordStart = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[i];
        if (c != ' ' && c != '\n' && i != count - 1) {
            continue;
        }
        // A word carries the space or newline that ends it, and moves the pen as drawText
        // does. A word at the start of a line stays there, however wide.
        const int wordLength = i + 1 - wordStart;
        const int width = measure(text + wordStart, wordLength, scale.x(), m_widthCharReduction);
        int penAfter = currentX + width;
        if (currentX > 0 && currentX + width >= limit) {
            currentY += lineHeight;
            currentX = 0;
            penAfter = width;
        }
        drawText(color, Int2(pos.x() + currentX, pos.y() + currentY), text + wordStart, fontScale,
                 wordLength, writeBold);
        if (c == '\n') {
            currentY += lineHeight;
            penAfter = 0;
        }
        currentX = penAfter;
        wordStart = i + 1;
    }
    return Int2(pos.x() + currentX, pos.y() + currentY);
}

int Font::getWidth(const char* text, int nbCharsToRead, float fontScale) const {
    UTILS_ASSERT(text != nullptr);
    if (nbCharsToRead == -1) {
        nbCharsToRead = static_cast<int>(std::strlen(text));
    }
    return measure(text, nbCharsToRead, fontScale, 0);
}

int Font::measure(const char* text, int nbCharsToRead, float fontScale, int reduction) const {
    int widest = 0;
    int current = 0;
    for (int i = 0; i < nbCharsToRead; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            widest = std::max(widest, current);
            current = 0;
        } else if (c == ' ') {
            current += truncatePixels(double(m_widthSpace) * fontScale);
        } else if (hasGlyph(c)) {
            current += truncatePixels(double(tabWidth[c] - reduction) * fontScale);
        }
    }
    return std::max(widest, current);
}

int Font::getHeight(float fontScale) const {
    return truncatePixels(double(image->size().y()) * fontScale);
}

bool Font::isSupported(char c) const {
    return c == '\n' || c == ' ' || hasGlyph(static_cast<unsigned char>(c));
}
