#include "TestPng.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>

namespace TestPng {

std::vector<unsigned char> encode(const std::vector<unsigned char>& raw, unsigned width,
                                  unsigned height, LodePNGColorType type, unsigned bitDepth,
                                  const std::vector<Rgba>& palette) {
    lodepng::State state;
    state.encoder.auto_convert = 0;
    state.info_raw.colortype = type;
    state.info_raw.bitdepth = bitDepth;
    state.info_png.color.colortype = type;
    state.info_png.color.bitdepth = bitDepth;
    for (const Rgba& c : palette) {
        lodepng_palette_add(&state.info_raw, c.r, c.g, c.b, c.a);
        lodepng_palette_add(&state.info_png.color, c.r, c.g, c.b, c.a);
    }
    std::vector<unsigned char> png;
    const unsigned error = lodepng::encode(png, raw, width, height, state);
    EXPECT_EQ(error, 0u) << lodepng_error_text(error);
    return png;
}

std::vector<unsigned char> encodeRgba(const std::vector<Rgba>& pixels, unsigned width,
                                      unsigned height) {
    std::vector<unsigned char> raw;
    for (const Rgba& p : pixels) {
        raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
    }
    return encode(raw, width, height, LCT_RGBA, 8);
}

std::vector<unsigned char> solid(unsigned width, unsigned height, Rgba colour) {
    return encodeRgba(std::vector<Rgba>(size_t(width) * height, colour), width, height);
}

void inspect(const std::vector<unsigned char>& png, LodePNGColorType* type, unsigned* bitDepth) {
    lodepng::State state;
    unsigned w = 0;
    unsigned h = 0;
    ASSERT_EQ(lodepng_inspect(&w, &h, &state, png.data(), png.size()), 0u);
    *type = state.info_png.color.colortype;
    *bitDepth = state.info_png.color.bitdepth;
}

namespace {

// Made on first use and removed with everything in it when the program ends.
struct ScratchDir {
    ScratchDir() {
        char pattern[] = "/tmp/tovrik-graphics-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        path = made ? made : "/tmp";
        owned = made != nullptr;
    }
    ~ScratchDir() {
        if (owned) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    }
    std::string path;
    bool owned;
};

}  // namespace

const std::string& scratchDir() {
    static const ScratchDir dir;
    return dir.path;
}

std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string path = scratchDir() + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file) {
        if (!bytes.empty()) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        }
        std::fclose(file);
    }
    return path;
}

}  // namespace TestPng
