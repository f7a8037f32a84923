// Sounds as the loader hands them to OpenAL (format, rate, size), and the state and volume
// of their source, read back from OpenAL with its null driver. The fatal paths are rows of
// tests/fatal.
#include <AL/al.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "QuietApp.h"
#include "Sound.h"
#include "SoundManager.h"

namespace {

QuietApp* app = nullptr;

// A committed tone (tests/sound/fixtures), copied under the name the library is given.
std::unique_ptr<Sound> load(const char* fixture, const std::string& name) {
    std::filesystem::copy_file(std::string(FIXTURES) + fixture, name,
                               std::filesystem::copy_options::overwrite_existing);
    return std::unique_ptr<Sound>(app->getSoundManager()->loadSound(name.c_str()));
}

ALint get(void (*query)(ALuint, ALenum, ALint*), ALuint id, ALenum what) {
    ALint value = -1;
    query(id, what, &value);
    return value;
}

// Only the decoder reads Ogg Vorbis, only ALUT keeps 8-bit samples. The stereo Ogg is
// longer than one read of the decoder. Every tone lasts 0.4 s.
TEST(SoundLoading, OggByNameInAnyCaseElseAlutWithTheFilesFormatAndRate) {
    const struct {
        const char *fixture, *name;
        int bits, channels, rate;
    } cases[] = {{"mono-22050.ogg", ".ogg", 16, 1, 22050},
                 {"stereo-44100.ogg", "b.OGG", 16, 2, 44100},
                 {"mono-8bit-11025.wav", "ogg", 8, 1, 11025},
                 {"stereo-8000.wav", "c.ogg.wav", 16, 2, 8000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Sound> sound = load(c.fixture, c.name);
        const ALuint buffer = sound->getBufferID();
        const std::tuple<const char*, ALenum, int> facts[] = {
            {"channels", AL_CHANNELS, c.channels},
            {"bits", AL_BITS, c.bits},
            {"rate", AL_FREQUENCY, c.rate},
            {"bytes", AL_SIZE, c.rate * c.channels * c.bits / 20}};
        for (const auto& [name, what, want] : facts)
            EXPECT_EQ(get(alGetBufferi, buffer, what), want) << name;
    }
}

TEST(Sound, EachLoadOwnsItsBufferAndSourceUntilDeleted) {
    for (const char* name : {"long.wav", "long.ogg"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Sound> first = load(name, name);
        const std::unique_ptr<Sound> second = load(name, name);
        EXPECT_NE(first->getBufferID(), second->getBufferID());
        for (const Sound* s : {first.get(), second.get()})
            EXPECT_EQ(ALint(s->getBufferID()), get(alGetSourcei, s->getSourceID(), AL_BUFFER));
        const ALuint buffer = first->getBufferID(), source = first->getSourceID();
        first.reset();
        EXPECT_FALSE(alIsSource(source)) << "the deleted sound's source";
        EXPECT_FALSE(alIsBuffer(buffer)) << "the deleted sound's buffer";
    }
}

// A sound just loaded is not playing; played, paused and restarted it is; stopped it is not.
// A second play restarts it rather than laying a second copy over it.
TEST(Sound, PlaysFromTheStartUntilStopped) {
    for (const char* name : {"long.wav", "long.ogg"}) {
        SCOPED_TRACE(name);
        const std::unique_ptr<Sound> sound = load(name, name);
        EXPECT_FALSE(sound->isPlaying()) << "just loaded";
        sound->play(false);
        EXPECT_TRUE(sound->isPlaying());
        // The null driver mixes in real time: 1 s into the 3 s tone, a second play restarts it.
        float at = 0;
        while (at < 1.0f && sound->isPlaying()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            alGetSourcef(sound->getSourceID(), AL_SEC_OFFSET, &at);
        }
        sound->play(false);
        alGetSourcef(sound->getSourceID(), AL_SEC_OFFSET, &at);
        EXPECT_LT(at, 1.0f) << "the second play went on from where the first was";
        alSourcePause(sound->getSourceID());
        EXPECT_TRUE(sound->isPlaying()) << "paused counts as playing";
        sound->stop();
        EXPECT_FALSE(sound->isPlaying());
    }
}

TEST(Sound, BlockingPlayReturnsAtTheEndAndVolumeIsAGainIn256ths) {
    const std::unique_ptr<Sound> sound = load("stereo-8000.wav", "end.wav");
    const auto start = std::chrono::steady_clock::now();
    sound->play(true);
    // The null driver mixes in real time: the call cannot return before the sound ends.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(350));
    EXPECT_EQ(AL_STOPPED, get(alGetSourcei, sound->getSourceID(), AL_SOURCE_STATE));
    for (const auto& [volume, gain] : {std::pair{0, 0.0f}, {1, 0.00390625f}, {255, 0.99609375f}}) {
        sound->setVolume(static_cast<unsigned char>(volume));
        float got = -1.0f;
        alGetSourcef(sound->getSourceID(), AL_GAIN, &got);
        EXPECT_EQ(gain, got) << "volume " << volume;
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Sounds are named as users name them, relative to the working directory.
    char dir[] = "/tmp/tovrik-sound-XXXXXX";
    if (mkdtemp(dir) == nullptr || chdir(dir) != 0)
        return 1;
    setenv("ALSOFT_DRIVERS", "null", 0);
    app = new QuietApp(argv[0], "sound tests", 160, 120);
    const int status = RUN_ALL_TESTS();
    delete app;  // every test has released its sounds
    std::filesystem::remove_all(dir);
    return status;
}
