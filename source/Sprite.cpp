#include "Sprite.h"

#include <cmath>
#include <utility>

#include "Image.h"
#include "ImagePreloader.h"
#include "PixelSize.h"
#include "Utils.h"
#include "opengl/Texture.h"

namespace {

// Opacity to alpha byte: the low 8 bits of trunc(opacity * 255), so 0.5 gives 127 and
// values outside 0..1 wrap instead of saturating.
unsigned char opacityToAlpha(float opacity) {
    const double product = std::trunc(static_cast<double>(opacity) * 255.0);
    if (!std::isfinite(product)) {
        return 0;
    }
    double low = std::fmod(product, 256.0);
    if (low < 0) {
        low += 256.0;
    }
    return static_cast<unsigned char>(low);
}

}  // namespace

Sprite::Sprite(const char* filename) : pos(0, 0), scale(1.0f), image(nullptr), m_isLoaded(false) {
    PreparedPicture picture;
    if (ImagePreloader::take(filename, &picture)) {
        image = new Image(std::move(picture));
    } else {
        // Not preloaded, or a worker could not read or decode it: this path stops the
        // program with the message for that file.
        unsigned long fileSize = 0;
        unsigned char* fileBuffer = Utils::readFileIntoNewBuffer(filename, &fileSize);
        image = new Image(fileBuffer, fileSize);
        delete[] fileBuffer;
    }
    // Nothing reads a sprite's pixels: they stay only until the texture is made, instead
    // of a megabyte per picture for the program's life.
    image->freeUselessMemory();
    m_isLoaded = true;
}

Sprite::~Sprite() {
    delete image;
}

void Sprite::setPosition(const Int2& newPos) {
    pos = newPos;
}

const Int2& Sprite::getPosition() {
    return pos;
}

void Sprite::setScale(float newScale) {
    scale = newScale;
}

bool Sprite::isLoaded() {
    return m_isLoaded;
}

Int2 Sprite::getOriginalSize() {
    if (image == nullptr) {
        return Int2(100, 100);
    }
    return image->size();
}

Int2 Sprite::getScaledSize() {
    const Int2 original = getOriginalSize();
    return Int2(truncatePixels(double(original.x()) * scale),
                truncatePixels(double(original.y()) * scale));
}

void Sprite::draw() {
    if (image == nullptr) {
        return;
    }
    const Int2 drawn = getScaledSize();
    Texture::drawTexture(image->getIdTexture(), pos.x(), pos.y(), drawn.x(), drawn.y());
}

void Sprite::draw(float opacity) {
    if (image == nullptr) {
        return;
    }
    Texture::setColor(Color(255, 255, 255, opacityToAlpha(opacity)));
    draw();
    Texture::resetColor();
}

void Sprite::updateImage() {}
