// Writes the fuzz targets' seed corpus: small pictures of every PNG colour type and depth,
// pixels cut from the roller's font picture, short WAV and Ogg sounds.
//   fuzz_corpus <corpus dir> <media dir>
#include <lodepng.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string corpus;

void put(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::ofstream(corpus + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// A short tone written by sox: `format` is sox's output options (type, rate, channels, bits).
void sound(const std::string& name, const std::string& format) {
    const std::string command =
        "sox -R -n " + format + " '" + corpus + "/" + name + "' synth 0.05 sine 440 vol 0.5";
    if (std::system(command.c_str()) != 0)
        std::exit(1);
}

// A 7 x 5 picture, encoded in that colour type and depth; palette types get a palette of
// the picture's colours.
void picture(LodePNGColorType type, unsigned depth, bool interlaced = false) {
    const unsigned w = 7, h = 5;
    const bool alpha = type == LCT_RGBA || type == LCT_GREY_ALPHA || type == LCT_PALETTE;
    std::vector<unsigned char> rgba;
    for (unsigned i = 0; i < w * h; i++) {
        const bool clear = alpha && i % 4 == 1;
        const unsigned char v = (i % 3 == 0 && !clear) ? 255 : 0;
        rgba.insert(rgba.end(), {v, v, v, static_cast<unsigned char>(clear ? 0 : 255)});
    }
    lodepng::State state;
    state.encoder.auto_convert = 0;
    state.info_png.color.colortype = type;
    state.info_png.color.bitdepth = depth;
    state.info_png.interlace_method = interlaced;
    if (type == LCT_PALETTE) {
        lodepng_palette_add(&state.info_png.color, 0, 0, 0, 255);
        lodepng_palette_add(&state.info_png.color, 255, 255, 255, 255);
        lodepng_palette_add(&state.info_png.color, 0, 0, 0, 0);
    }
    std::vector<unsigned char> png;
    if (lodepng::encode(png, rgba, w, h, state) == 0)
        put("png/type" + std::to_string(type) + "-" + std::to_string(depth) +
                (interlaced ? "-interlaced" : "") + ".png",
            png);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    corpus = argv[1];
    const std::string media = argv[2];
    for (unsigned depth : {1, 2, 4, 8, 16})
        picture(LCT_GREY, depth);
    for (unsigned depth : {2, 4, 8})
        picture(LCT_PALETTE, depth);
    for (LodePNGColorType type : {LCT_RGB, LCT_RGBA, LCT_GREY_ALPHA})
        for (unsigned depth : {8, 16})
            picture(type, depth);
    picture(LCT_RGBA, 8, true);
    const std::vector<unsigned char> fontFile = readFile(media + "/default_font.png");
    put("png/font.png", fontFile);

    // Glyph scan input: width - 1, the first and last codes, the starting column, then
    // RGBA pixels: two 128-column strips of the font.
    std::vector<unsigned char> font;
    unsigned fw = 0, fh = 0;
    if (lodepng::decode(font, fw, fh, fontFile) != 0 || fw < 1200)
        return 1;
    for (unsigned left : {0u, 1000u}) {
        std::vector<unsigned char> seed = {127, 33, 126, 0};
        for (unsigned row = 0; row < fh; row++) {
            const auto start = font.begin() + (row * fw + left) * 4;
            seed.insert(seed.end(), start, start + 128 * 4);
        }
        put("glyph/font-" + std::to_string(left), seed);
    }

    sound("wav/mono16.wav", "-r 8000 -c 1 -b 16");
    sound("wav/stereo8.wav", "-r 22050 -c 2 -b 8");
    sound("ogg/mono.ogg", "-r 8000 -c 1");
    sound("ogg/stereo.ogg", "-r 22050 -c 2");
    sound("ogg/three-channels.ogg", "-r 8000 -c 3");  // refused: mono and stereo play
    // Two logical streams back to back.
    std::vector<unsigned char> chain = readFile(corpus + "/ogg/mono.ogg");
    const std::vector<unsigned char> second = readFile(corpus + "/ogg/stereo.ogg");
    chain.insert(chain.end(), second.begin(), second.end());
    put("ogg/chained.ogg", chain);
    return 0;
}
