#pragma once

#include <cstddef>

#include "Core.h"

class ID2D1Bitmap;

// A picture decoded into 8-bit RGBA pixels (rows top to bottom) together with the
// texture made from them. Sprites and fonts are built on it. The image owns its pixels
// and texture; it never keeps the file bytes it was decoded from.
class Image {
public:
    // Decodes PNG bytes of any colour type and depth and uploads them as a texture.
    // Bytes that are not a valid PNG, and pictures the texture path cannot take (more than
    // INT_MAX bytes of pixels, a side past GL_MAX_TEXTURE_SIZE), end the program through an
    // assertion; running out of memory ends it through Utils::die. An OpenGL context must
    // exist.
    Image(unsigned char* fileBuffer, size_t fileSize);
    // A bitmap of that size with unfilled pixels and no texture (name 0). Sizes that are
    // negative or past INT_MAX bytes of pixels end the program as above.
    Image(int width, int height);
    ~Image();

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // (width, height) in pixels.
    Int2 size() const;
    // Drops the pixels once they are no longer needed; the texture and size stay.
    void freeUselessMemory();
    // The RGBA pixels, or null after freeUselessMemory.
    unsigned char* getDataPixels();
    int getIdTexture() const;

private:
    void initBitmap(int width, int height);

    ID2D1Bitmap* m_bitmap = nullptr;
};
