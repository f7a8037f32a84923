#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <vector>

#include "Core.h"

class ID2D1Bitmap;

/// PNG bytes made ready for a texture on any thread: decoded by Image::decode, or only
/// checked by Image::check and kept compressed until the texture is first asked for.
struct PreparedPicture {
    /// Frees what the codec allocated, with std::free.
    struct FreeDeleter {
        /// Frees p.
        void operator()(unsigned char* p) const { std::free(p); }
    };
    unsigned width = 0;   ///< In pixels.
    unsigned height = 0;  ///< In pixels.
    /// Level 0: RGBA rows top to bottom, as the codec allocated them; null while compressed.
    std::unique_ptr<unsigned char, FreeDeleter> pixels;
    /// Levels 1 to 1x1 one after the other; empty when the sides are not powers of two
    /// (GLU then scales and builds them on the main thread).
    std::vector<unsigned char> smallerLevels;
    /// The PNG file of a checked picture, until it is decoded.
    std::vector<unsigned char> compressed;
};

/// A picture decoded into 8-bit RGBA pixels (rows top to bottom) together with the
/// texture made from them. Sprites and fonts are built on it. The image owns its pixels
/// and texture; it never keeps the file bytes it was decoded from.
class Image {
public:
    /// Decodes PNG bytes of any colour type and depth, for a texture made at first use.
    /// Bytes that are not a valid PNG, and pictures the texture path cannot take (more than
    /// INT_MAX bytes of pixels, a side past GL_MAX_TEXTURE_SIZE), end the program through an
    /// assertion; running out of memory ends it through Utils::die. An OpenGL context must
    /// exist.
    Image(unsigned char* fileBuffer, size_t fileSize);
    /// Takes a picture prepared beforehand; its texture is made at the first getIdTexture,
    /// which first decodes a picture that was only checked (and ends the program, as above,
    /// if it does not decode after all). An OpenGL context must exist.
    explicit Image(PreparedPicture&& picture);
    /// A bitmap of that size with unfilled pixels and no texture (name 0). Sizes that are
    /// negative or past INT_MAX bytes of pixels end the program as above.
    Image(int width, int height);
    ~Image();

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    /// (width, height) in pixels.
    Int2 size() const;
    /// Drops the pixels once they are no longer needed; the texture and size stay.
    void freeUselessMemory();
    /// The RGBA pixels (decoded now if they were kept compressed), or null after
    /// freeUselessMemory.
    unsigned char* getDataPixels();
    /// The texture name, the texture being made at the first call (0 for an image built
    /// from a size).
    int getIdTexture() const;

    /// The decoding half of the PNG constructor: needs no OpenGL context, so any thread
    /// may run it. False for bytes that are not a valid PNG and for pictures the texture
    /// path cannot take (more than INT_MAX bytes of pixels).
    static bool decode(const unsigned char* fileBuffer, size_t fileSize, PreparedPicture* out);
    /// What can be checked without decoding, on any thread and at a fraction of the cost:
    /// the header, the size limit, and every chunk whole and intact (its CRC) up to the end,
    /// so a damaged or cut file is found now. Keeps the file to decode when first drawn.
    static bool check(std::vector<unsigned char>&& file, PreparedPicture* out);

private:
    void initBitmap(int width, int height);

    ID2D1Bitmap* m_bitmap = nullptr;
};
