// Sounds as the loader hands them to OpenAL (format, rate, size), and the playing state and
// volume of the source, observed through OpenAL itself with its null driver. The fatal paths
// are rows of tests/fatal.
#include <AL/al.h>
#include <gtest/gtest.h>
#include <stdlib.h>
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

ALint bufferValue(const Sound& sound, ALenum what) {
    ALint value = -1;
    alGetBufferi(sound.getBufferID(), what, &value);
    return value;
}

ALint sourceValue(const Sound& sound, ALenum what) {
    ALint value = 0;
    alGetSourcei(sound.getSourceID(), what, &value);
    return value;
}

TEST(SoundLoading, OggByNameInAnyCaseElseAlutWithTheFilesFormatAndRate) {
    struct Case {
        const char* name;
        bool ogg;
        int bits, channels, rate;
    };
    // Only the decoder reads Ogg Vorbis, only ALUT keeps 8-bit samples. The stereo Ogg is
    // longer than one read of the decoder.
    for (const Case& c : {Case{".ogg", true, 16, 1, 22050}, Case{"b.OGG", true, 16, 2, 44100},
                          Case{"ogg", false, 8, 1, 11025}, Case{"c.ogg.wav", false, 16, 2, 8000}}) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Sound> sound = make(c.name, c.ogg, c.channels, c.rate, 0.4, c.bits);
        EXPECT_TRUE(sound->isLoaded());
        EXPECT_EQ(bufferValue(*sound, AL_CHANNELS), c.channels);
        EXPECT_EQ(bufferValue(*sound, AL_BITS), c.bits);
        EXPECT_EQ(bufferValue(*sound, AL_FREQUENCY), c.rate);
        EXPECT_EQ(bufferValue(*sound, AL_SIZE), c.rate * 4 / 10 * c.channels * c.bits / 8);
    }
}

TEST(SoundLoading, EachLoadOwnsItsBufferAndSourceUntilDeleted) {
    for (bool ogg : {false, true}) {
        const char* name = ogg ? "twice.ogg" : "twice.wav";
        std::unique_ptr<Sound> first = make(name, ogg, 1, 11025, 3.0);
        const std::unique_ptr<Sound> second = make(name, ogg, 1, 11025, 3.0);
        EXPECT_NE(first->getBufferID(), second->getBufferID());
        for (const Sound* sound : {first.get(), second.get()})
            EXPECT_EQ(ALuint(sourceValue(*sound, AL_BUFFER)), sound->getBufferID());
        const ALuint buffer = first->getBufferID(), source = first->getSourceID();
        first.reset();
        EXPECT_FALSE(alIsSource(source));
        EXPECT_FALSE(alIsBuffer(buffer));
        second->play(false);
        EXPECT_TRUE(second->isPlaying());
        second->stop();
    }
}

TEST(SoundPlayback, PlayingStateFollowsTheSource) {
    const std::unique_ptr<Sound> sound = make("state.wav", false, 1, 11025, 3.0);
    sound->stop();
    EXPECT_FALSE(sound->isPlaying());
    sound->play(false);
    EXPECT_TRUE(sound->isPlaying());
    alSourcePause(sound->getSourceID());
    EXPECT_TRUE(sound->isPlaying());  // paused counts as playing
    sound->stop();
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_EQ(sourceValue(*sound, AL_SOURCE_STATE), AL_STOPPED);
}

TEST(SoundPlayback, BlockingPlayReturnsAtTheEndAndTheSoundPlaysAgain) {
    const std::unique_ptr<Sound> sound = make("end.wav", false, 1, 11025, 0.3);
    for (int round = 0; round < 2; ++round) {
        const auto start = std::chrono::steady_clock::now();
        sound->play(true);
        // The null driver mixes in real time: the call cannot return before the sound ends.
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
        EXPECT_EQ(sourceValue(*sound, AL_SOURCE_STATE), AL_STOPPED);
    }
}

TEST(SoundPlayback, VolumeIsAGainIn256ths) {
    const std::unique_ptr<Sound> sound = make("volume.wav", false, 1, 11025);
    for (const auto& [volume, gain] :
         {std::pair<int, float>{-1, 1.0f}, {0, 0.0f}, {1, 0.00390625f}, {255, 0.99609375f}}) {
        if (volume >= 0)
            sound->setVolume(static_cast<unsigned char>(volume));
        float got = -1.0f;
        alGetSourcef(sound->getSourceID(), AL_GAIN, &got);
        EXPECT_EQ(got, gain) << "volume " << volume;
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
