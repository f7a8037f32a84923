// make_catch_media: draws the catch example's pictures and synthesizes its two sounds.
//
//   make_catch_media <folder>
//
// catch_basket.png, and the three pictures that fall, catch_apple.png, catch_star.png and
// catch_drop.png, with transparent surroundings; catch_caught.wav and catch_missed.wav,
// 16-bit mono PCM. Every pixel and sample is computed here: the example needs no media
// made elsewhere.
#include <lodepng.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double PI = 3.14159265358979323846;

// Which colour a point of the picture has, in picture pixels; alpha 0 outside the shape.
struct Rgba {
    unsigned char r, g, b, a;
};
using Shape = std::function<Rgba(double x, double y)>;

// Each pixel averages 4 x 4 samples of the shape, so edges are smooth.
bool writePicture(const std::string& path, int width, int height, const Shape& shape) {
    std::vector<unsigned char> rgba(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int s = 0; s < 16; ++s) {
                const Rgba c = shape(x + (s % 4 + 0.5) / 4, y + (s / 4 + 0.5) / 4);
                // Colours are weighted by their alpha: the edge fades, it does not darken.
                sum[0] += c.r * c.a, sum[1] += c.g * c.a, sum[2] += c.b * c.a, sum[3] += c.a;
            }
            unsigned char* p = &rgba[(size_t(y) * width + x) * 4];
            for (int i = 0; i < 3; ++i)
                p[i] = static_cast<unsigned char>(sum[3] > 0 ? sum[i] / sum[3] : 255);
            p[3] = static_cast<unsigned char>(sum[3] / 16);
        }
    }
    const unsigned error = lodepng::encode(path, rgba, width, height);
    if (error != 0)
        std::fprintf(stderr, "make_catch_media: %s: %s\n", path.c_str(), lodepng_error_text(error));
    return error == 0;
}

const Rgba NOTHING = {0, 0, 0, 0};

// A red apple with a darker rim, a light spot and a green leaf.
Rgba apple(double x, double y) {
    const double dx = x - 24, dy = y - 27, d = std::sqrt(dx * dx + dy * dy);
    const double lx = x - 30, ly = y - 8;
    if (std::abs(lx * 0.8 + ly * 0.6) < 2.5 && std::abs(-lx * 0.6 + ly * 0.8) < 7)
        return {60, 170, 60, 255};
    if (d > 19)
        return NOTHING;
    if (std::hypot(x - 17, y - 20) < 4)
        return {255, 200, 200, 255};
    return d > 16 ? Rgba{150, 20, 30, 255} : Rgba{220, 40, 45, 255};
}

// A five-pointed yellow star: inside when the angle's distance to the nearest point
// leaves the radius above the line between a point and its neighbouring notches.
Rgba star(double x, double y) {
    const double dx = x - 24, dy = y - 25, r = std::hypot(dx, dy);
    const double sector = 2 * PI / 5;
    double a = std::fmod(std::atan2(dx, -dy) + 2 * PI, sector);
    a = std::abs(a - sector / 2);  // 0 at a notch, sector / 2 at a point
    const double outer = 22, inner = 9;
    const double edge = inner + (outer - inner) * (a / (sector / 2));
    if (r > edge)
        return NOTHING;
    return r > edge - 2.5 ? Rgba{200, 140, 0, 255} : Rgba{250, 215, 40, 255};
}

// A blue water drop: a circle below, narrowing to a point at the top.
Rgba drop(double x, double y) {
    const double dx = x - 24, dy = y - 30;
    const bool round = std::hypot(dx, dy) < 15;
    const bool point = y >= 4 && y < 30 && std::abs(dx) < (y - 4) * 15 / 26;
    if (!round && !point)
        return NOTHING;
    if (std::hypot(x - 18, y - 31) < 3.5)
        return {230, 245, 255, 255};
    return {50, 130, 235, 255};
}

// A brown basket, wider at the top, woven: darker bands across and along.
Rgba basket(double x, double y) {
    const double inset = (y - 6) * 10 / 34;
    if (y < 6 || x < inset || x > 112 - inset)
        return NOTHING;
    if (y < 11)
        return {110, 65, 30, 255};  // the rim
    const bool band = static_cast<int>(y) % 8 < 2 || static_cast<int>(x + y / 2) % 14 < 2;
    return band ? Rgba{120, 75, 35, 255} : Rgba{175, 115, 55, 255};
}

void put(std::FILE* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), out);
}

// A tone gliding from one frequency to another, decaying, written as a WAV file.
bool writeTone(const std::string& path, double seconds, double from, double to, double decay) {
    const int rate = 22050;
    const int count = static_cast<int>(seconds * rate);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "make_catch_media: cannot write %s\n", path.c_str());
        return false;
    }
    std::fputs("RIFF", out);
    put(out, 36 + count * 2, 4);
    std::fputs("WAVEfmt ", out);
    put(out, 16, 4);
    put(out, 1, 2);  // integer PCM
    put(out, 1, 2);  // mono
    put(out, rate, 4);
    put(out, rate * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    std::fputs("data", out);
    put(out, count * 2, 4);
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        phase += 2 * PI * (from + (to - from) * t / seconds) / rate;
        const double fade = std::fmin(1.0, t / 0.005);  // no click at the start
        const double value = 0.5 * fade * std::exp(-decay * t) * std::sin(phase);
        put(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767))), 2);
    }
    const bool ok = std::ferror(out) == 0;
    return std::fclose(out) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_catch_media <folder>\n");
        return 1;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool ok = writePicture(folder + "catch_apple.png", 48, 48, apple) &&
                    writePicture(folder + "catch_star.png", 48, 48, star) &&
                    writePicture(folder + "catch_drop.png", 48, 48, drop) &&
                    writePicture(folder + "catch_basket.png", 112, 40, basket) &&
                    writeTone(folder + "catch_caught.wav", 0.25, 880, 1320, 8) &&
                    writeTone(folder + "catch_missed.wav", 0.4, 220, 110, 5);
    return ok ? 0 : 1;
}
