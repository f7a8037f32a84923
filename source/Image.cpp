#include "Image.h"

#include <lodepng.h>

#include <climits>
#include <cstdlib>
#include <new>
#include <utility>

#include "Mipmaps.h"
#include "Texture.h"
#include "Utils.h"

// Size of a bitmap in pixels; named after the platform bitmap interface this image
// type keeps the shape of.
struct D2D1_SIZE_U {
    unsigned int width;
    unsigned int height;
};

// The pixels and the texture of one image. A decoded picture keeps its pixels and mipmap
// levels until its texture is first asked for: the program's first frame does not wait
// for textures it does not draw.
class ID2D1Bitmap {
public:
    // Running out of memory is a fatal condition, not an exception escaping the library.
    // One spare byte: an empty bitmap still has a buffer.
    explicit ID2D1Bitmap(const D2D1_SIZE_U& bitmapSize)
        : m_buffer(static_cast<unsigned char*>(std::malloc(byteCount(bitmapSize) + 1))),
          size(bitmapSize) {
        if (!m_buffer)
            Utils::die();
    }

    // Takes the decoded pixels (no copy) and keeps them for the texture.
    explicit ID2D1Bitmap(DecodedPicture&& picture)
        : m_buffer(picture.pixels.get()),
          size(D2D1_SIZE_U{picture.width, picture.height}),
          m_forTexture(std::move(picture)) {}

    ~ID2D1Bitmap() {
        Texture::unloadTexture(m_textureId);
        freeBuffer();
    }

    ID2D1Bitmap(const ID2D1Bitmap&) = delete;
    ID2D1Bitmap& operator=(const ID2D1Bitmap&) = delete;

    // Makes the texture with alpha if it is still to be made; Image::decode has built the
    // smaller levels of every picture whose sides are powers of two, GLU builds the others.
    int textureId() {
        unsigned char* pixels = m_forTexture.pixels.get();
        if (m_textureId == 0 && pixels != nullptr) {
            m_textureId = Mipmaps::canBuild(size.width, size.height)
                              ? Texture::loadTextureWithLevels(size.width, size.height, pixels,
                                                               m_forTexture.smallerLevels.data())
                              : Texture::loadTexture(size.width, size.height, pixels, true);
            std::vector<unsigned char>().swap(m_forTexture.smallerLevels);
            // The owner may still read the pixels: they become the bitmap's own.
            unsigned char* kept = m_forTexture.pixels.release();
            if (m_buffer == nullptr)
                std::free(kept);
        }
        return m_textureId;
    }

    const D2D1_SIZE_U& GetSize() const { return size; }

    // The owner no longer reads the pixels; a texture still to be made keeps them.
    void freeBuffer() {
        if (m_forTexture.pixels == nullptr)
            std::free(m_buffer);
        m_buffer = nullptr;
    }

    unsigned char* m_buffer;
    const D2D1_SIZE_U size;
    int m_textureId = 0;

private:
    static size_t byteCount(const D2D1_SIZE_U& s) { return size_t(s.width) * 4 * s.height; }

    DecodedPicture m_forTexture;
};

namespace {

// The texture path counts bytes in an int. Checked on the header, before decoding: a 1-bit
// picture of a few kilobytes can claim gigabytes of pixels.
bool fitsTexturePath(unsigned width, unsigned height) {
    return height == 0 || width <= INT_MAX / 4 / height;
}

}  // namespace

bool Image::decode(const unsigned char* fileBuffer, size_t fileSize, DecodedPicture* out) {
    unsigned width = 0;
    unsigned height = 0;
    LodePNGState header;
    lodepng_state_init(&header);
    const unsigned headerError = lodepng_inspect(&width, &height, &header, fileBuffer, fileSize);
    lodepng_state_cleanup(&header);
    if (headerError == 0 && !fitsTexturePath(width, height)) {
        return false;
    }
    unsigned char* decoded = nullptr;
    const unsigned error = lodepng_decode32(&decoded, &width, &height, fileBuffer, fileSize);
    out->pixels.reset(decoded);
    if (error != 0) {
        out->pixels.reset();
        return false;
    }
    out->width = width;
    out->height = height;
    out->smallerLevels.clear();
    if (Mipmaps::canBuild(width, height)) {
        // No exception may leave a worker thread: short of memory, the picture fails.
        try {
            out->smallerLevels.resize(Mipmaps::smallerLevelsBytes(width, height));
        } catch (const std::bad_alloc&) {
            out->pixels.reset();
            return false;
        }
        Mipmaps::buildSmallerLevels(decoded, width, height, out->smallerLevels.data());
    }
    return true;
}

namespace {

DecodedPicture decodeOrStop(const unsigned char* fileBuffer, size_t fileSize) {
    DecodedPicture picture;
    UTILS_ASSERT(Image::decode(fileBuffer, fileSize, &picture));
    return picture;
}

}  // namespace

Image::Image(unsigned char* fileBuffer, size_t fileSize)
    : Image(decodeOrStop(fileBuffer, fileSize)) {}

Image::Image(DecodedPicture&& picture) {
    UTILS_ASSERT(picture.pixels != nullptr);
    // A picture the texture cannot take stops the program now, not at its first draw.
    Texture::checkSize(static_cast<int>(picture.width), static_cast<int>(picture.height), true);
    m_bitmap = new ID2D1Bitmap(std::move(picture));
}

Image::Image(int width, int height) {
    initBitmap(width, height);
}

Image::~Image() {
    delete m_bitmap;
}

Int2 Image::size() const {
    const D2D1_SIZE_U& s = m_bitmap->GetSize();
    return Int2(static_cast<int>(s.width), static_cast<int>(s.height));
}

void Image::freeUselessMemory() {
    m_bitmap->freeBuffer();
}

unsigned char* Image::getDataPixels() {
    return m_bitmap->m_buffer;
}

int Image::getIdTexture() const {
    return m_bitmap->textureId();
}

void Image::initBitmap(int width, int height) {
    UTILS_ASSERT(width >= 0 && height >= 0 &&
                 fitsTexturePath(static_cast<unsigned>(width), static_cast<unsigned>(height)));
    m_bitmap = new ID2D1Bitmap(
        D2D1_SIZE_U{static_cast<unsigned int>(width), static_cast<unsigned int>(height)});
}
