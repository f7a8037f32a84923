#include "Image.h"

#include <lodepng.h>

#include <climits>
#include <cstdlib>
#include <new>
#include <utility>

#include "Mipmaps.h"
#include "Utils.h"
#include "opengl/Texture.h"

// Size of a bitmap in pixels; named after the platform bitmap interface this image
// type keeps the shape of.
struct D2D1_SIZE_U {
    unsigned int width;
    unsigned int height;
};

// The pixels and the texture of one image. A prepared picture keeps its pixels and mipmap
// levels, or only its PNG file, until its texture is first asked for: the program's first
// frame does not wait for textures it does not draw, and pictures never drawn stay
// compressed. The pixels have one owner, m_picture; they go once neither the image's owner
// nor a texture still to be made needs them.
class ID2D1Bitmap {
public:
    // Running out of memory is a fatal condition, not an exception escaping the library.
    // One spare byte: an empty bitmap still has a buffer.
    explicit ID2D1Bitmap(const D2D1_SIZE_U& bitmapSize) : size(bitmapSize) {
        m_picture.pixels.reset(static_cast<unsigned char*>(std::malloc(byteCount(size) + 1)));
        if (!m_picture.pixels) {
            Utils::die();
        }
    }

    // Takes the prepared picture (no copy) and keeps it for the texture.
    explicit ID2D1Bitmap(PreparedPicture&& picture)
        : size(D2D1_SIZE_U{picture.width, picture.height}),
          m_picture(std::move(picture)),
          m_textureToMake(true) {}

    ~ID2D1Bitmap() { Texture::unloadTexture(m_textureId); }

    ID2D1Bitmap(const ID2D1Bitmap&) = delete;
    ID2D1Bitmap& operator=(const ID2D1Bitmap&) = delete;

    // Makes the texture with alpha if it is still to be made; Image::decode has built the
    // smaller levels of every picture whose sides are powers of two, GLU builds the others.
    int textureId() {
        if (m_textureToMake) {
            unsigned char* pixels = decoded();
            m_textureId = Mipmaps::canBuild(size.width, size.height)
                              ? Texture::loadTextureWithLevels(size.width, size.height, pixels,
                                                               m_picture.smallerLevels.data())
                              : Texture::loadTexture(size.width, size.height, pixels, true);
            m_textureToMake = false;
            std::vector<unsigned char>().swap(m_picture.smallerLevels);
            dropUnneededPixels();
        }
        return m_textureId;
    }

    const D2D1_SIZE_U& GetSize() const { return size; }

    // The owner's pixels, or null once it has given them up.
    unsigned char* pixels() { return m_ownerReads ? decoded() : nullptr; }

    // The owner no longer reads the pixels; a texture still to be made keeps them.
    void freeBuffer() {
        m_ownerReads = false;
        dropUnneededPixels();
    }

    const D2D1_SIZE_U size;

private:
    static size_t byteCount(const D2D1_SIZE_U& s) { return size_t(s.width) * 4 * s.height; }

    // The pixels, decoding a checked picture first.
    unsigned char* decoded() {
        if (!m_picture.compressed.empty()) {
            PreparedPicture picture;
            UTILS_ASSERT(
                Image::decode(m_picture.compressed.data(), m_picture.compressed.size(), &picture));
            m_picture = std::move(picture);
        }
        return m_picture.pixels.get();
    }

    void dropUnneededPixels() {
        if (!m_ownerReads && !m_textureToMake) {
            m_picture.pixels.reset();
        }
    }

    PreparedPicture m_picture;
    bool m_textureToMake = false;
    bool m_ownerReads = true;
    int m_textureId = 0;
};

namespace {

// The texture path counts bytes in an int. Checked on the header, before decoding: a 1-bit
// picture of a few kilobytes can claim gigabytes of pixels.
bool fitsTexturePath(unsigned width, unsigned height) {
    return height == 0 || width <= INT_MAX / 4 / height;
}

// The header's error code (0 when it is a valid PNG header) and the picture's size.
unsigned inspectHeader(const unsigned char* bytes, size_t size, unsigned* width, unsigned* height) {
    LodePNGState header;
    lodepng_state_init(&header);
    const unsigned error = lodepng_inspect(width, height, &header, bytes, size);
    lodepng_state_cleanup(&header);
    return error;
}

}  // namespace

bool Image::decode(const unsigned char* fileBuffer, size_t fileSize, PreparedPicture* out) {
    unsigned width = 0;
    unsigned height = 0;
    if (inspectHeader(fileBuffer, fileSize, &width, &height) == 0 &&
        !fitsTexturePath(width, height)) {
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

bool Image::check(std::vector<unsigned char>&& file, PreparedPicture* out) {
    unsigned width = 0;
    unsigned height = 0;
    if (inspectHeader(file.data(), file.size(), &width, &height) != 0 ||
        !fitsTexturePath(width, height)) {
        return false;
    }
    // The chunks after the signature, each whole with a matching CRC, up to IEND; image
    // data among them.
    bool hasData = false;
    for (size_t at = 8;;) {
        const unsigned char* chunk = file.data() + at;
        if (file.size() - at < 12 || lodepng_chunk_length(chunk) > file.size() - at - 12 ||
            lodepng_chunk_check_crc(chunk) != 0) {
            return false;
        }
        if (lodepng_chunk_type_equals(chunk, "IEND")) {
            break;
        }
        hasData = hasData || lodepng_chunk_type_equals(chunk, "IDAT");
        at += 12 + size_t(lodepng_chunk_length(chunk));
    }
    if (!hasData) {
        return false;
    }
    *out = PreparedPicture();
    out->width = width;
    out->height = height;
    out->compressed = std::move(file);
    return true;
}

namespace {

PreparedPicture decodeOrStop(const unsigned char* fileBuffer, size_t fileSize) {
    PreparedPicture picture;
    UTILS_ASSERT(Image::decode(fileBuffer, fileSize, &picture));
    return picture;
}

}  // namespace

Image::Image(unsigned char* fileBuffer, size_t fileSize)
    : Image(decodeOrStop(fileBuffer, fileSize)) {}

Image::Image(PreparedPicture&& picture) {
    UTILS_ASSERT(picture.pixels != nullptr || !picture.compressed.empty());
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
    return m_bitmap->pixels();
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
