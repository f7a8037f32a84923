// Every fatal path of the library: what the probe is made to do, and how its standard output
// must begin. Each row runs in a child of its own, in a scratch folder, and must end with
// status 1. Rows named window_* need the window and the audio system.
#include <GL/gl.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <gtest/gtest.h>
#include <lodepng.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "FontProbe.h"
#include "Image.h"
#include "ImagePreloader.h"
#include "KeyboardManager.h"
#include "MathManager.h"
#include "Process.h"
#include "QuietApp.h"
#include "SoundManager.h"
#include "Sprite.h"
#include "TextElement.h"
#include "Texture.h"
#include "Utils.h"

// Under AddressSanitizer a failed allocation must come back as a null pointer, as in a normal
// build, and freed memory must not be held back from the rows short of memory.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:quarantine_size_mb=0";
}

// With shortReads set, each read of more than one byte gets one byte less (linked with
// --wrap=fread).
bool shortReads = false;
extern "C" size_t __real_fread(void* to, size_t size, size_t count, FILE* file);
extern "C" size_t __wrap_fread(void* to, size_t size, size_t count, FILE* file) {
    return __real_fread(to, size, shortReads && count > 1 ? count - 1 : count, file);
}

namespace {

// The window and the audio system, for the rows that need them.
QuietApp& app() {
    static QuietApp* instance = new QuietApp("/proc/self/exe", "fatal", 64, 64);
    return *instance;
}

// A white 1-bit picture: a few kilobytes that decode to width * height * 4 bytes.
std::vector<unsigned char> png(unsigned width = 2, unsigned height = 2) {
    std::vector<unsigned char> bytes;
    lodepng::encode(bytes, std::vector<unsigned char>((width + 7) / 8 * height, 255), width, height,
                    LCT_GREY, 1);
    return bytes;
}

// 23171 x 23171 x 4 bytes is just past INT_MAX: the header alone must stop it.
void loadHugePng() {
    std::vector<unsigned char> bytes = png();
    bytes[18] = bytes[22] = 23171 >> 8;  // width and height in the header
    bytes[19] = bytes[23] = 23171 & 255;
    lodepng_chunk_generate_crc(&bytes[8]);
    Image(bytes.data(), bytes.size());
}

// The widest texture loads; one column more does not.
void loadTooWidePng() {
    app();
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    for (GLint width : {side, side + 1}) {
        Image(png(width, 1).data(), png(width, 1).size());
        Utils::print("loaded\n");
    }
}

const FontProbe font() {
    app();
    lodepng::save_file(png(), "font.png");
    return FontProbe(*new Font("", "font.png", 1.0f, 6, 2));
}

void readFifo() {
    mkfifo("pipe", 0600);
    const int held = open("pipe", O_RDWR | O_NONBLOCK);  // a writer, so that opening never waits
    EXPECT_EQ(write(held, "abc", 3), 3);
    Utils::readFileIntoNewBuffer("pipe", nullptr);
}

// A sparse file larger than any address space, on tmpfs, which holds one where /tmp cannot.
const char* hugeFile() {
    static const std::string path = "/dev/shm/tovrik-" + std::to_string(getpid());
    if (access(path.c_str(), F_OK) != 0) {
        std::atexit([] { unlink(path.c_str()); });
        const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
        EXPECT_EQ(ftruncate(fd, 1LL << 50), 0);
        close(fd);
    }
    return path.c_str();
}

// The workers end once every picture is prepared or has failed; then the sprite's own loader
// meets the shortage again.
[[maybe_unused]] void preloadHugeFile() {
    ImagePreloader preloader({{hugeFile(), true}});
    const auto threads = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {});
    };
    for (int tries = 0; tries < 1000 && threads() > 1; tries++)
        usleep(10000);
    Sprite sprite(hugeFile());
}

std::string corpus(const char* name) {
    return std::string(getenv("TOVRIK_SOURCE_DIR")) + "/tests/fuzz/corpus/" + name;
}

void loadSound(const char* name) {
    app().getSoundManager()->loadSound(name);
}

// The header still opens; decoding meets a hole of 64 spaces half way.
void loadCorruptOgg() {
    std::ifstream tone(std::string(getenv("TOVRIK_SOURCE_DIR")) + "/tests/sound/fixtures/long.ogg");
    std::string bytes((std::istreambuf_iterator<char>(tone)), {});
    bytes.replace(bytes.size() / 2, 64, 64, ' ');
    std::ofstream("c.ogg") << bytes;
    loadSound("c.ogg");
}

// Intact chunks around a broken stream: the check passes it, the first use decodes it.
void useCheckedPngThatDoesNotDecode() {
    app();
    std::vector<unsigned char> bytes = png();
    bytes[41] = 0;  // the image data's first byte: no valid zlib header
    lodepng_chunk_generate_crc(&bytes[33]);
    PreparedPicture picture;
    Utils::print(Image::check(std::move(bytes), &picture) ? "checked\n" : "refused\n");
    Image(std::move(picture)).getIdTexture();
}

struct Row {
    const char* name;
    void (*action)();
    const char* output;  // how standard output begins; "*" is any text
};

#define FATAL "#### Program cannot continue.\nCall stack from "
#define ASSERTION(file) "ASSERTION FAILED: *" file ":*\n"
const Row rows[] = {
    {"die", [] { Utils::die(); }, FATAL "*unix/Utils_unix.cpp:*:\n    *Utils3die"},
    {"assertion",
     [] {
         Utils::assertion(true);
         Utils::assertion(false);
     },
     FATAL},
    {"assert_macro", [] { UTILS_ASSERT(1 + 1 == 3); }, ASSERTION("FatalTest.cpp")},
    {"null_file_handle", [] { Utils::checkFileHandle(nullptr, nullptr); }, ASSERTION("Utils.cpp")},
    {"infinite_angle", [] { MathManager::getAngleIn180Range(-INFINITY); },
     ASSERTION("MathManager.cpp")},
    {"inverse_sqrt", [] { MathManager::fastInverseSqrt(4.0f); }, ASSERTION("MathManager.cpp")},
    {"missing_file", [] { Sprite("no such.png"); }, "ERROR: no such.png\n" FATAL},
    {"read_directory", [] { Utils::readFileIntoNewBuffer(".", nullptr); }, FATAL},
    {"read_fifo", readFifo, FATAL},
    {"read_short_file",
     [] {
         std::ofstream("shrinking") << "abc";
         shortReads = true;
         Utils::readFileIntoNewBuffer("shrinking", nullptr);
     },
     FATAL},
    {"read_huge_file", [] { Utils::readFileIntoNewBuffer(hugeFile(), nullptr); }, FATAL},
    {"huge_png", loadHugePng, ASSERTION("Image.cpp")},
    {"not_a_png", [] { Sprite("/proc/self/exe"); }, ASSERTION("Image.cpp")},
    {"negative_image_size", [] { Image(-1, 4); }, ASSERTION("Image.cpp")},
    {"null_texture_pixels", [] { Texture::loadTexture(1, 1, nullptr, true); },
     ASSERTION("Texture.cpp")},
    {"null_element_text", [] { TextElement(nullptr, nullptr, 20, colorWhite); },
     ASSERTION("TextElement.cpp")},
    {"element_without_font", [] { TextElement(nullptr, "a", 20, colorWhite).draw(); },
     ASSERTION("TextElement.cpp")},
    {"window_null_text", [] { font().draw(colorRed, Int2(), nullptr, Float2(1)); },
     ASSERTION("Font_opengl.cpp")},
    {"window_null_text_width", [] { font().width(nullptr, -1, 1); }, ASSERTION("Font_opengl.cpp")},
    {"window_null_wrapped_text", [] { font().drawWrapped(colorRed, Int2(), nullptr, 99, 1); },
     ASSERTION("Font_opengl.cpp")},
    {"window_missing_wav", [] { loadSound("missing.wav"); }, "ERROR: missing.wav: *\n" FATAL},
    {"window_missing_ogg", [] { loadSound("missing.ogg"); },
     "Cannot open missing.ogg for reading...\nERROR: cannot open ogg file for reading\n" FATAL},
    {"window_empty_ogg",
     [] {
         std::ofstream("e.OGG").close();
         loadSound("e.OGG");
     },
     "Error opening e.OGG for decoding\nERROR: error opening ogg file for decoding\n" FATAL},
    {"window_corrupt_ogg", loadCorruptOgg, "ERROR: error decoding ogg file\n" FATAL},
    {"window_three_channel_ogg", [] { loadSound(corpus("ogg/three-channels.ogg").c_str()); },
     "ERROR: *three-channels.ogg: 3 channels (mono and stereo sounds play)\n" FATAL},
    {"window_too_wide_png", loadTooWidePng, "loaded\nASSERTION FAILED: *Texture.cpp:"},
    {"window_checked_png_not_decoding", useCheckedPngThatDoesNotDecode,
     "checked\nASSERTION FAILED: *Image.cpp:"},
#ifndef __SANITIZE_ADDRESS__  // there a failed throwing allocation is the sanitizer's report
    {"preloaded_huge_file", preloadHugeFile, FATAL},
#endif
    {"window_key_271", [] { app().getKeyboardManager()->getKey(271); }, FATAL},
    {"window_key_minus_1", [] { app().getKeyboardManager()->getKey(-1); }, FATAL},
    {"window_no_audio_device",
     [] {
         setenv("ALSOFT_DRIVERS", "none", 1);
         app();
     },
     ASSERTION("SoundManager.cpp")},
};

class Fatal : public ::testing::TestWithParam<Row> {};

TEST_P(Fatal, PrintsItsMessageAndExitsWithStatus1) {
    char dir[] = "/tmp/tovrik-fatal-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const ChildResult child = runProgram({"/proc/self/exe", "--probe", GetParam().name}, dir);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(child.exitStatus, 1) << child.out << child.err;
    EXPECT_EQ(fnmatch((GetParam().output + std::string("*")).c_str(), child.out.c_str(), 0), 0)
        << child.out;
}

INSTANTIATE_TEST_SUITE_P(All, Fatal, ::testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    for (const Row& row : rows)
        if (argc == 3 && row.name == std::string(argv[2])) {
            row.action();
            return 0;  // survived
        }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
