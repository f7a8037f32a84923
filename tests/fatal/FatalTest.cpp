// Every fatal path of the library: what the probe is made to do, and how its standard output
// must begin. Each row runs in a child of its own, in a scratch folder, and must end with
// status 1. A row is one line; its action is a lambda, or a function above the table.
#include <fcntl.h>
#include <fnmatch.h>
#include <gtest/gtest.h>
#include <lodepng.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "FontProbe.h"
#include "Image.h"
#include "MathManager.h"
#include "Process.h"
#include "QuietApp.h"
#include "SoundManager.h"
#include "Sprite.h"
#include "TextElement.h"
#include "Texture.h"
#include "Utils.h"

// The huge-file row asks for more memory than exists: under AddressSanitizer that must come
// back as a null pointer, as it does in a normal build.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

namespace {

// The window and the audio system, for the rows that need them.
QuietApp& app() {
    static QuietApp* instance = new QuietApp("/proc/self/exe", "fatal", 64, 64);
    return *instance;
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<unsigned char> png() {
    std::vector<unsigned char> bytes;
    lodepng::encode(bytes, std::vector<unsigned char>(16, 255), 2, 2);
    return bytes;
}

const FontProbe font() {
    app();
    lodepng::save_file(png(), "font.png");
    return FontProbe(*new Font("", "font.png", 1.0f, 6, 2));
}

void readWhole(const std::string& path) {
    unsigned long size = 0;
    Utils::readFileIntoNewBuffer(path, &size);
}

void readFifo() {
    mkfifo("pipe", 0600);
    const int held = open("pipe", O_RDWR | O_NONBLOCK);  // a writer, so that opening never waits
    EXPECT_EQ(write(held, "abc", 3), 3);
    readWhole("pipe");
}

// A sparse file larger than any address space; tmpfs holds one where the scratch folder cannot.
std::string hugePath;
void readHugeFile() {
    std::atexit([] { unlink(hugePath.c_str()); });
    for (std::string path : {std::string("huge"), "/dev/shm/tovrik-" + std::to_string(getpid())}) {
        hugePath = path;
        const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
        const bool sized = fd >= 0 && ftruncate(fd, 1LL << 50) == 0;
        close(fd);
        if (sized)
            readWhole(path);
    }
    Utils::print("no sparse file here\n");
}

void loadSound(const char* name) {
    app().getSoundManager()->loadSound(name);
}

void loadCorruptOgg() {
    std::vector<unsigned char> bytes;
    EXPECT_EQ(system("sox -R -n -r 44100 -c 2 whole.ogg synth 3 whitenoise"), 0);
    lodepng::load_file(bytes, "whole.ogg");
    for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i)
        bytes[i] ^= 0x5a;  // the header still opens; decoding meets a hole
    lodepng::save_file(bytes, "corrupt.ogg");
    loadSound("corrupt.ogg");
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
    {"assertion", [] { Utils::assertion(true), Utils::assertion(false); }, FATAL},
    {"error_message", [] { Utils::dieErrorMessageToUser(std::string("a.png\0b", 7)); },
     "ERROR: a.png\n" FATAL},
    {"assert_macro", [] { UTILS_ASSERT(1 + 1 == 3); }, ASSERTION("FatalTest.cpp")},
    {"null_file_handle", [] { Utils::checkFileHandle(nullptr, nullptr); }, ASSERTION("Utils.cpp")},
    {"infinite_angle", [] { MathManager::getAngleIn180Range(-INFINITY); },
     ASSERTION("MathManager.cpp")},
    {"inverse_sqrt", [] { MathManager::fastInverseSqrt(4.0f); }, ASSERTION("MathManager.cpp")},
    {"missing_file", [] { Sprite("no such.png"); }, "ERROR: no such.png\n" FATAL},
    {"read_directory", [] { readWhole("."); }, FATAL},
    {"read_fifo", readFifo, FATAL},
    {"read_huge_file", readHugeFile, FATAL},
    {"not_a_png", [] { put("a.png", "hello\n"), Sprite("a.png"); }, ASSERTION("Image.cpp")},
    {"truncated_png", [] { Image(png().data(), png().size() / 2); }, ASSERTION("Image.cpp")},
    {"negative_image_size", [] { Image(-1, 4); }, ASSERTION("Image.cpp")},
    {"broken_font_image", [] { put("f.png", ""), Font("", "f.png", 1, 6, 2); },
     ASSERTION("Image.cpp")},
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
    {"window_empty_ogg", [] { put("e.OGG", ""), loadSound("e.OGG"); },
     "Error opening e.OGG for decoding\nERROR: error opening ogg file for decoding\n" FATAL},
    {"window_corrupt_ogg", loadCorruptOgg, "ERROR: error decoding ogg file\n" FATAL},
    {"window_no_audio_device", [] { setenv("ALSOFT_DRIVERS", "none", 1), app(); },
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

// Rows named window_* need the window and the audio system: a test of their own runs them.
INSTANTIATE_TEST_SUITE_P(All, Fatal, ::testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--probe") {
        for (const Row& row : rows) {
            if (row.name == std::string(argv[2])) {
                row.action();
                Utils::print("survived\n");
                return 0;
            }
        }
        return 2;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
