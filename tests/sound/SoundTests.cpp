// Sounds as the loader hands them to OpenAL (format, rate, size), and the state and volume
// of their source, read back from OpenAL with its null driver. The fatal paths are rows of
// tests/fatal.
#include <AL/al.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "QuietApp.h"
#include "Sound.h"
#include "SoundManager.h"

namespace {

QuietApp* app = nullptr;

// Repeatable white noise at half scale, written by sox and loaded by the library.
std::unique_ptr<Sound> make(const std::string& name, bool ogg, int channels, int rate,
                            double seconds = 0.4, int bits = 16) {
    const std::string command = "sox -R -n -r " + std::to_string(rate) + " -c " +
                                std::to_string(channels) + (ogg ? " -t vorbis " : " -t wav -b ") +
                                (ogg ? "" : std::to_string(bits)) + " '" + name + "' synth " +
                                std::to_string(seconds) + " whitenoise vol 0.5";
    EXPECT_EQ(system(command.c_str()), 0) << command;
    return std::unique_ptr<Sound>(app->getSoundManager()->loadSound(name.c_str()));
}

ALint get(void (*query)(ALuint, ALenum, ALint*), ALuint id, ALenum what) {
    ALint value = -1;
    query(id, what, &value);
    return value;
}

TEST(SoundLoading, OggByNameInAnyCaseElseAlutWithTheFilesFormatAndRate) {
    // Only the decoder reads Ogg Vorbis, only ALUT keeps 8-bit samples. The stereo Ogg is
    // longer than one read of the decoder.
    const struct {
        const char* name;
        bool ogg;
        int bits, channels, rate;
    } cases[] = {{".ogg", true, 16, 1, 22050},
                 {"b.OGG", true, 16, 2, 44100},
                 {"ogg", false, 8, 1, 11025},
                 {"c.ogg.wav", false, 16, 2, 8000}};
    for (const auto& c : cases) {
        const std::unique_ptr<Sound> sound = make(c.name, c.ogg, c.channels, c.rate, 0.4, c.bits);
        const ALuint buffer = sound->getBufferID();
        EXPECT_EQ(
            std::vector<ALint>({c.channels, c.bits, c.rate, c.rate * c.channels * c.bits / 20}),
            std::vector<ALint>(
                {get(alGetBufferi, buffer, AL_CHANNELS), get(alGetBufferi, buffer, AL_BITS),
                 get(alGetBufferi, buffer, AL_FREQUENCY), get(alGetBufferi, buffer, AL_SIZE)}))
            << c.name;
    }
}

TEST(Sound, EachLoadOwnsItsBufferAndSourceUntilDeletedAndPlaysThroughIt) {
    for (bool ogg : {false, true}) {
        const char* name = ogg ? "twice.ogg" : "twice.wav";
        std::unique_ptr<Sound> first = make(name, ogg, 1, 11025, 3.0);
        const std::unique_ptr<Sound> second = make(name, ogg, 1, 11025, 3.0);
        EXPECT_NE(first->getBufferID(), second->getBufferID());
        for (const Sound* s : {first.get(), second.get()})
            EXPECT_EQ(ALint(s->getBufferID()), get(alGetSourcei, s->getSourceID(), AL_BUFFER));
        const ALuint buffer = first->getBufferID(), source = first->getSourceID();
        first.reset();
        EXPECT_FALSE(alIsSource(source) || alIsBuffer(buffer));
        second->play(false);
        EXPECT_TRUE(second->isPlaying());
        alSourcePause(second->getSourceID());
        EXPECT_TRUE(second->isPlaying());  // paused counts as playing
        second->stop();
        EXPECT_FALSE(second->isPlaying());
    }
}

TEST(Sound, BlockingPlayReturnsAtTheEndAndVolumeIsAGainIn256ths) {
    const std::unique_ptr<Sound> sound = make("end.wav", false, 1, 11025, 0.3);
    const auto start = std::chrono::steady_clock::now();
    sound->play(true);
    // The null driver mixes in real time: the call cannot return before the sound ends.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
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
