// A picture as the library sees it: 8-bit RGBA with straight (not premultiplied)
// alpha, top row first. Cairo draws premultiplied; pictures pass through here to be
// written with control over the colour hidden under transparent pixels, and to be
// previewed the way the library's mipmapped textures show them.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;  // 0..1, straight alpha
};

class Raster {
public:
    Raster() = default;
    Raster(int width, int height);

    static Raster fromSurface(cairo_surface_t* surface);
    // A new ARGB32 image surface (premultiplied) holding this picture; caller destroys it.
    cairo_surface_t* toSurface() const;

    int width() const { return w; }
    int height() const { return h; }
    uint8_t* pixel(int x, int y) { return &data[(static_cast<size_t>(y) * w + x) * 4]; }
    const uint8_t* pixel(int x, int y) const { return &data[(static_cast<size_t>(y) * w + x) * 4]; }

    // Gives fully transparent pixels the colour of the nearest ink (alpha stays 0).
    // Mipmaps average colour and alpha separately, so transparent black would darken
    // every edge of a picture shown small; within `reach` pixels it no longer does.
    void bleedColours(int reach);
    // Makes every pixel white, keeping alpha: glyph images carry shape in alpha only.
    void whiten();

    // One mipmap level down: 2 x 2 box average of straight RGBA, as GLU builds them.
    Raster halved() const;
    // Bilinear sample at texture coordinates in pixels (pixel centres at +0.5),
    // repeating at the edges like the library's textures.
    Rgba sample(double u, double v) const;

    // Writes a PNG; false with errorText set on failure.
    bool save(const std::string& path, std::string& errorText) const;

private:
    int w = 0, h = 0;
    std::vector<uint8_t> data;
};

// The chain of mipmap levels the library's textures are built with.
class MipChain {
public:
    explicit MipChain(const Raster& base);
    // Level chosen by GL_LINEAR_MIPMAP_NEAREST for `texelsPerPixel` texels per screen pixel.
    const Raster& levelFor(double texelsPerPixel, double& levelScale) const;

private:
    std::vector<Raster> levels;
};

// Draws part of a texture scaled onto an opaque canvas the way the library does:
// mipmap level by nearest, bilinear within it, colour multiplied by `tint`, alpha
// test (alpha above 0.1 passes), then blending by source alpha.
void drawTextureLikeLibrary(Raster& canvas, const MipChain& texture, int x, int y, int drawWidth,
                            int drawHeight, double u1, double v1, double u2, double v2,
                            const Rgba& tint);
