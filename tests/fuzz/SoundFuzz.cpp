// Sound file bytes through SoundManager::loadSound, on the path its name's extension picks
// (FUZZ_EXTENSION): the Ogg decoder or ALUT's WAV loader. OpenAL Soft's null driver.
#include <AL/al.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "Fuzz.h"
#include "Sound.h"
#include "SoundManager.h"

// The manager's constructor is private to the application base class: this stand-in of it
// is the one thing in the harness that makes one.
class AbstractMainClass {
public:
    static SoundManager* make() { return new SoundManager("fuzz"); }
    static void destroy(SoundManager* manager) { delete manager; }
};

namespace {

SoundManager* manager = nullptr;
std::string path;

// Sources and buffers of a load that ended fatally. OpenAL Soft hands out the lowest free
// names, so the first few cover all of them.
void deleteAllOpenAlObjects() {
    for (ALuint name = 1; name <= 64; name++)
        if (alIsSource(name))
            alDeleteSources(1, &name);
    for (ALuint name = 1; name <= 64; name++)
        if (alIsBuffer(name))
            alDeleteBuffers(1, &name);
}

// ALUT allocates what a WAV chunk claims (up to 4 GB) before it finds the file short, then
// fails in order: such inputs would only measure the allocator.
bool claimsMoreThanItHolds(const uint8_t* data, size_t size) {
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0)
        return false;
    for (size_t at = 12; at + 8 <= size; at += 8) {
        const size_t length =
            data[at + 4] | data[at + 5] << 8 | data[at + 6] << 16 | size_t(data[at + 7]) << 24;
        if (length > size - at - 8)
            return true;
        at += length + (length & 1);
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    std::cerr.rdbuf(nullptr);  // the decoder's error lines
    path = "/tmp/tovrik-fuzz-" + std::to_string(getpid()) + FUZZ_EXTENSION;
    manager = AbstractMainClass::make();
    atexit([] {
        AbstractMainClass::destroy(manager);
        std::remove(path.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (claimsMoreThanItHolds(data, size))
        return 0;
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        delete manager->loadSound(path.c_str());
    } catch (const FatalExit&) {
        deleteAllOpenAlObjects();
    }
    return 0;
}
