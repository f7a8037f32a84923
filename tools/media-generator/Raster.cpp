#include "Raster.h"

#include <lodepng.h>

#include <algorithm>
#include <cmath>

Raster::Raster(int width, int height)
    : w(width), h(height), data(static_cast<size_t>(width) * height * 4, 0) {}

Raster Raster::fromSurface(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    Raster out(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
    const unsigned char* base = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < out.h; ++y) {
        const uint32_t* row =
            reinterpret_cast<const uint32_t*>(base + static_cast<size_t>(y) * stride);
        for (int x = 0; x < out.w; ++x) {
            const uint32_t argb = row[x];
            const unsigned a = argb >> 24;
            uint8_t* p = out.pixel(x, y);
            p[3] = static_cast<uint8_t>(a);
            if (a == 0) {
                p[0] = p[1] = p[2] = 0;
                continue;
            }
            const unsigned premultiplied[3] = {(argb >> 16) & 255, (argb >> 8) & 255, argb & 255};
            for (int c = 0; c < 3; ++c) {
                p[c] = static_cast<uint8_t>(std::min(255u, (premultiplied[c] * 255 + a / 2) / a));
            }
        }
    }
    return out;
}

cairo_surface_t* Raster::toSurface() const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(surface);
    unsigned char* base = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(base + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = pixel(x, y);
            const unsigned a = p[3];
            auto pm = [a](unsigned c) { return (c * a + 127) / 255; };
            row[x] = (a << 24) | (pm(p[0]) << 16) | (pm(p[1]) << 8) | pm(p[2]);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

void Raster::bleedColours(int reach) {
    // Grows the coloured area one ring at a time; each new pixel takes the average
    // colour of its already coloured neighbours, ink weighing by its alpha.
    std::vector<float> weight(static_cast<size_t>(w) * h);
    std::vector<int> ring;
    for (int i = 0; i < w * h; ++i) {
        weight[i] = data[i * 4 + 3] / 255.0f;
    }
    auto forNeighbours = [this](int i, auto&& visit) {
        const int x = i % w, y = i / w;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if ((dx || dy) && nx >= 0 && ny >= 0 && nx < w && ny < h) {
                    visit(ny * w + nx);
                }
            }
        }
    };
    for (int i = 0; i < w * h; ++i) {
        if (weight[i] > 0) {
            continue;
        }
        bool touchesInk = false;
        forNeighbours(i, [&](int j) { touchesInk = touchesInk || weight[j] > 0; });
        if (touchesInk) {
            ring.push_back(i);
        }
    }
    for (int pass = 0; pass < reach && !ring.empty(); ++pass) {
        for (int i : ring) {
            float sum[3] = {0, 0, 0};
            float total = 0;
            forNeighbours(i, [&](int j) {
                if (weight[j] > 0) {
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += weight[j] * data[j * 4 + c];
                    }
                    total += weight[j];
                }
            });
            for (int c = 0; c < 3; ++c) {
                data[i * 4 + c] = static_cast<uint8_t>(std::lround(sum[c] / total));
            }
        }
        // Marked only after the whole ring is coloured, so a ring does not feed itself.
        for (int i : ring) {
            weight[i] = 0.05f;
        }
        std::vector<int> next;
        for (int i : ring) {
            forNeighbours(i, [&](int j) {
                if (weight[j] == 0) {
                    weight[j] = -1;  // queued
                    next.push_back(j);
                }
            });
        }
        for (int j : next) {
            weight[j] = 0;
        }
        ring.swap(next);
    }
}

void Raster::whiten() {
    for (size_t i = 0; i < data.size(); i += 4) {
        data[i] = data[i + 1] = data[i + 2] = 255;
    }
}

Raster Raster::halved() const {
    Raster out(std::max(1, w / 2), std::max(1, h / 2));
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            for (int c = 0; c < 4; ++c) {
                const int x0 = std::min(2 * x, w - 1), x1 = std::min(2 * x + 1, w - 1);
                const int y0 = std::min(2 * y, h - 1), y1 = std::min(2 * y + 1, h - 1);
                const int sum =
                    pixel(x0, y0)[c] + pixel(x1, y0)[c] + pixel(x0, y1)[c] + pixel(x1, y1)[c];
                out.pixel(x, y)[c] = static_cast<uint8_t>((sum + 2) / 4);
            }
        }
    }
    return out;
}

Rgba Raster::sample(double u, double v) const {
    const double fx = u - 0.5, fy = v - 0.5;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const double ax = fx - x0, ay = fy - y0;
    auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
    double acc[4] = {0, 0, 0, 0};
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            const double weight = (i ? ax : 1 - ax) * (j ? ay : 1 - ay);
            const uint8_t* p = pixel(wrap(x0 + i, w), wrap(y0 + j, h));
            for (int c = 0; c < 4; ++c) {
                acc[c] += weight * p[c] / 255.0;
            }
        }
    }
    return {acc[0], acc[1], acc[2], acc[3]};
}

bool Raster::save(const std::string& path, std::string& errorText) const {
    const unsigned error = lodepng_encode32_file(path.c_str(), data.data(), w, h);
    if (error) {
        errorText = std::string("cannot write ") + path + ": " + lodepng_error_text(error);
        return false;
    }
    return true;
}

MipChain::MipChain(const Raster& base) {
    levels.push_back(base);
    while (levels.back().width() > 1 || levels.back().height() > 1) {
        levels.push_back(levels.back().halved());
    }
}

const Raster& MipChain::levelFor(double texelsPerPixel, double& levelScale) const {
    const double lambda = texelsPerPixel > 0 ? std::log2(texelsPerPixel) : 0;
    int level = 0;
    if (lambda > 0.5) {
        level = static_cast<int>(std::ceil(lambda + 0.5)) - 1;
    }
    level = std::min(level, static_cast<int>(levels.size()) - 1);
    levelScale = 1.0 / (1 << level);
    return levels[level];
}

void drawTextureLikeLibrary(Raster& canvas, const MipChain& texture, int x, int y, int drawWidth,
                            int drawHeight, double u1, double v1, double u2, double v2,
                            const Rgba& tint) {
    if (drawWidth <= 0 || drawHeight <= 0) {
        return;
    }
    double levelScale = 1;
    const Raster& base = texture.levelFor(0, levelScale);
    const double texelsX = std::fabs(u2 - u1) * base.width() / drawWidth;
    const double texelsY = std::fabs(v2 - v1) * base.height() / drawHeight;
    const Raster& level = texture.levelFor(std::max(texelsX, texelsY), levelScale);
    for (int py = std::max(0, y); py < std::min(canvas.height(), y + drawHeight); ++py) {
        const double t = v1 + (py - y + 0.5) / drawHeight * (v2 - v1);
        for (int px = std::max(0, x); px < std::min(canvas.width(), x + drawWidth); ++px) {
            const double s = u1 + (px - x + 0.5) / drawWidth * (u2 - u1);
            Rgba texel = level.sample(s * level.width(), t * level.height());
            const double alpha = texel.a * tint.a;
            if (alpha <= 0.1) {
                continue;
            }
            uint8_t* dst = canvas.pixel(px, py);
            const double colour[3] = {texel.r * tint.r, texel.g * tint.g, texel.b * tint.b};
            for (int c = 0; c < 3; ++c) {
                const double blended = colour[c] * alpha + dst[c] / 255.0 * (1 - alpha);
                dst[c] = static_cast<uint8_t>(std::lround(std::clamp(blended, 0.0, 1.0) * 255));
            }
            dst[3] = 255;
        }
    }
}
