#include "Image.h"

#include <lodepng.h>

#include <climits>
#include <cstdlib>
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

// The pixels and the texture of one image.
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

    // Takes pixels allocated with malloc (the codec's own buffer): no copy.
    ID2D1Bitmap(const D2D1_SIZE_U& bitmapSize, unsigned char* pixels)
        : m_buffer(pixels), size(bitmapSize) {}

    ~ID2D1Bitmap() {
        Texture::unloadTexture(m_textureId);
        freeBuffer();
    }

    ID2D1Bitmap(const ID2D1Bitmap&) = delete;
    ID2D1Bitmap& operator=(const ID2D1Bitmap&) = delete;

    // Uploads the pixels as a texture with alpha; Image::decode has built the smaller
    // levels of every picture whose sides are powers of two, GLU builds the others.
    void upload(const std::vector<unsigned char>& smallerLevels) {
        m_textureId = Mipmaps::canBuild(size.width, size.height)
                          ? Texture::loadTextureWithLevels(size.width, size.height, m_buffer,
                                                           smallerLevels.data())
                          : Texture::loadTexture(size.width, size.height, m_buffer, true);
    }

    const D2D1_SIZE_U& GetSize() const { return size; }

    void freeBuffer() {
        std::free(m_buffer);
        m_buffer = nullptr;
    }

    unsigned char* m_buffer;
    const D2D1_SIZE_U size;
    int m_textureId = 0;

private:
    static size_t byteCount(const D2D1_SIZE_U& s) { return size_t(s.width) * 4 * s.height; }
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
        out->smallerLevels.resize(Mipmaps::smallerLevelsBytes(width, height));
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
    m_bitmap =
        new ID2D1Bitmap(D2D1_SIZE_U{picture.width, picture.height}, picture.pixels.release());
    m_bitmap->upload(picture.smallerLevels);
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
    return m_bitmap->m_textureId;
}

void Image::initBitmap(int width, int height) {
    UTILS_ASSERT(width >= 0 && height >= 0 &&
                 fitsTexturePath(static_cast<unsigned>(width), static_cast<unsigned>(height)));
    m_bitmap = new ID2D1Bitmap(
        D2D1_SIZE_U{static_cast<unsigned int>(width), static_cast<unsigned int>(height)});
}
