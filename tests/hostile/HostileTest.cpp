// Pictures and sounds the library cannot take, and memory running out while loading them:
// each ends the probe (this program run as a child) with a message and status 1.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <lodepng.h>
#include <sys/resource.h>
#include <zlib.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Image.h"
#include "MainClass.h"
#include "Process.h"
#include "Sound.h"
#include "SoundManager.h"
#include "Utils.h"

namespace {

std::string self;

unsigned zlibCompress(unsigned char** out, size_t* outSize, const unsigned char* in, size_t inSize,
                      const LodePNGCompressSettings*) {
    uLongf size = compressBound(inSize);
    *out = static_cast<unsigned char*>(malloc(size));
    const int error = compress2(*out, &size, in, inSize, 9);
    *outSize = size;
    return error != Z_OK;
}

// Writes a valid, all-black 1-bit grey PNG, a few kilobytes for any size, and returns its
// path. Compressed by zlib, many times faster than the codec's own compressor.
std::string blackPng(unsigned side) {
    lodepng::State state;
    state.info_raw.colortype = state.info_png.color.colortype = LCT_GREY;
    state.info_raw.bitdepth = state.info_png.color.bitdepth = 1;
    state.encoder.zlibsettings.custom_zlib = zlibCompress;
    state.encoder.filter_strategy = LFS_ZERO;
    state.encoder.auto_convert = 0;
    std::vector<unsigned char> png;
    lodepng::encode(png, std::vector<unsigned char>(size_t(side) * ((side + 7) / 8)), side, side,
                    state);
    const std::string path = ::testing::TempDir() + std::to_string(side) + ".png";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return path;
}

// Address space from now on: what is mapped plus the allowance.
void limitMemory(long allowanceMb) {
    unsigned long pages = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm || std::fscanf(statm, "%lu", &pages) != 1)
        std::exit(2);
    std::fclose(statm);
    const rlim_t bytes = rlim_t(pages) * getpagesize() + (rlim_t(allowanceMb) << 20);
    const rlimit limit = {bytes, bytes};
    setrlimit(RLIMIT_AS, &limit);
}

// probe png|ogg <path> <allowance MB, 0 for none> | probe wide
int probe(const std::string& what, const char* path, long allowanceMb) {
    // Pictures load without a window: audio and GL threads would share the memory allowance.
    std::unique_ptr<MainClass> app(what == "png" ? nullptr : new MainClass(self.c_str()));
    if (what == "wide") {
        GLint maxSide = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
        for (GLint width : {maxSide, maxSide + 1}) {
            std::vector<unsigned char> png;
            lodepng::encode(png, std::vector<unsigned char>(size_t(width) * 4, 255), width, 1);
            Image image(png.data(), png.size());
            Utils::print("loaded\n");
        }
        return 0;
    }
    unsigned long size = 0;
    unsigned char* bytes = Utils::readFileIntoNewBuffer(path, &size);
    if (allowanceMb > 0)
        limitMemory(allowanceMb);
    if (what == "png")
        Image image(bytes, size);
    else
        delete app->getSoundManager()->loadSound(path);
    delete[] bytes;
    return 0;
}

struct Case {
    const char* name;
    std::vector<std::string> args;
    const char* output;  // the last line before the exit
};

TEST(Hostile, EndsWithMessageAndStatusOne) {
    const std::string bigOgg = ::testing::TempDir() + "long.ogg";
    ASSERT_EQ(
        std::system(("sox -R -n -r 44100 -c 1 '" + bigOgg + "' synth 60 sine 440 vol 0.5").c_str()),
        0);
    std::vector<Case> cases = {
        // 23171 x 23171 x 4 bytes is just past INT_MAX.
        {"huge picture", {"png", blackPng(23171), "0"}, "ASSERTION FAILED: "},
        {"one column past the texture size", {"wide"}, "loaded\nASSERTION FAILED: "},
        // 64 MB of pixels do not fit: the codec reports it.
        {"picture, memory short", {"png", blackPng(4000), "40"}, "ASSERTION FAILED: "},
        // Decodes to 5 MB.
        {"long Ogg, memory short", {"ogg", bigOgg, "2"}, "#### Program cannot continue."},
    };
#ifdef __SANITIZE_ADDRESS__
    // There a failed throwing allocation is the sanitizer's own report, never bad_alloc.
    cases.pop_back();
#endif
    // A failed allocation gives null under AddressSanitizer too, and freed memory is not
    // held back; the probe's fatal exits leave their memory behind on purpose.
    setenv("ASAN_OPTIONS", "allocator_may_return_null=1:quarantine_size_mb=0:detect_leaks=0", 1);
    for (const Case& c : cases) {
        std::vector<std::string> argv = {self, "probe"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const ChildResult r = runProgram(argv);
        EXPECT_EQ(r.exitStatus, 1) << c.name;
        EXPECT_NE(r.out.find(c.output), std::string::npos) << c.name << ":\n" << r.out;
    }
}

}  // namespace

int main(int argc, char** argv) {
    self = argv[0];
    if (argc >= 3 && std::string(argv[1]) == "probe") {
        return probe(argv[2], argc > 3 ? argv[3] : "", argc > 4 ? std::atol(argv[4]) : 0);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
