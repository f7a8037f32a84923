// Writes the hello example's chime: a short two-note bell, 16-bit mono PCM WAV.
// Made at build time, so the example needs no recorded media.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int RATE = 22050;
constexpr double SECONDS = 0.6;
constexpr double PI = 3.14159265358979323846;

void put(std::FILE* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.wav\n", argv[0]);
        return 1;
    }
    std::vector<int16_t> samples;
    const int count = static_cast<int>(SECONDS * RATE);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / RATE;
        // Two notes a fifth apart, the second entering after 120 ms, each decaying.
        double value = 0.45 * std::exp(-6.0 * t) * std::sin(2.0 * PI * 660.0 * t);
        if (t > 0.12) {
            const double u = t - 0.12;
            value += 0.45 * std::exp(-6.0 * u) * std::sin(2.0 * PI * 990.0 * u);
        }
        const double fadeIn = std::fmin(1.0, t / 0.005);  // no click at the start
        samples.push_back(static_cast<int16_t>(std::lround(fadeIn * value * 32767.0)));
    }

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const auto dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::fputs("RIFF", out);
    put(out, 36 + dataSize, 4);
    std::fputs("WAVEfmt ", out);
    put(out, 16, 4);
    put(out, 1, 2);  // integer PCM
    put(out, 1, 2);  // mono
    put(out, RATE, 4);
    put(out, RATE * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    std::fputs("data", out);
    put(out, dataSize, 4);
    for (int16_t sample : samples) {
        put(out, static_cast<uint16_t>(sample), 2);
    }
    const bool ok = std::ferror(out) == 0;
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
