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
#include "SoundMedia.h"

namespace {

using SoundMedia::Pcm;

QuietApp* app = nullptr;

std::unique_ptr<Sound> load(const std::string& name) {
    return std::unique_ptr<Sound>(app->getSoundManager()->loadSound(name.c_str()));
}

ALint bufferValue(const Sound& sound, ALenum what) {
    ALint value = -1;
    alGetBufferi(sound.getBufferID(), what, &value);
    return value;
}

ALint stateOf(const Sound& sound) {
    ALint state = 0;
    alGetSourcei(sound.getSourceID(), AL_SOURCE_STATE, &state);
    return state;
}

TEST(SoundLoading, OggByNameInAnyCaseElseAlutWithTheFilesFormatAndRate) {
    struct Case {
        const char* name;
        bool ogg, eightBit;
        int channels, rate;
    };
    // Only the decoder reads Ogg Vorbis, only ALUT keeps 8-bit samples. The stereo Ogg is
    // longer than one read of the decoder.
    for (const Case& c :
         {Case{".ogg", true, false, 1, 22050}, Case{"b.OGG", true, false, 2, 44100},
          Case{"ogg", false, true, 1, 11025}, Case{"c.ogg.wav", false, false, 2, 8000}}) {
        SCOPED_TRACE(c.name);
        const Pcm pcm = Pcm(c.channels, c.rate, 0.5);
        c.ogg ? SoundMedia::writeOgg(c.name, pcm) : SoundMedia::writeWav(c.name, pcm, c.eightBit);
        const std::unique_ptr<Sound> sound = load(c.name);
        EXPECT_TRUE(sound->isLoaded());
        EXPECT_EQ(bufferValue(*sound, AL_CHANNELS), c.channels);
        EXPECT_EQ(bufferValue(*sound, AL_BITS), c.eightBit ? 8 : 16);
        EXPECT_EQ(bufferValue(*sound, AL_FREQUENCY), c.rate);
        EXPECT_EQ(bufferValue(*sound, AL_SIZE), ALint(pcm.samples.size()) * (c.eightBit ? 1 : 2));
    }
}

TEST(SoundLoading, EachLoadOwnsItsBufferAndSourceUntilDeleted) {
    SoundMedia::writeWav("twice.wav", Pcm(1, 11025, 3.0));
    SoundMedia::writeOgg("twice.ogg", Pcm(1, 11025, 3.0));
    for (const std::string name : {"twice.wav", "twice.ogg"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Sound> first = load(name);
        const std::unique_ptr<Sound> second = load(name);
        EXPECT_NE(first->getBufferID(), second->getBufferID());
        for (const Sound* sound : {first.get(), second.get()}) {
            ALint attached = 0;
            alGetSourcei(sound->getSourceID(), AL_BUFFER, &attached);
            EXPECT_EQ(ALuint(attached), sound->getBufferID());
        }
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
    SoundMedia::writeWav("state.wav", Pcm(1, 11025, 3.0));
    const std::unique_ptr<Sound> sound = load("state.wav");
    EXPECT_FALSE(sound->isPlaying());
    sound->stop();
    EXPECT_FALSE(sound->isPlaying());
    sound->play(false);
    EXPECT_TRUE(sound->isPlaying());
    alSourcePause(sound->getSourceID());
    EXPECT_TRUE(sound->isPlaying());  // paused counts as playing
    sound->stop();
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_EQ(stateOf(*sound), AL_STOPPED);
}

TEST(SoundPlayback, BlockingPlayReturnsAtTheEndAndTheSoundPlaysAgain) {
    SoundMedia::writeWav("end.wav", Pcm(1, 11025, 0.3));
    const std::unique_ptr<Sound> sound = load("end.wav");
    for (int round = 0; round < 2; ++round) {
        const auto start = std::chrono::steady_clock::now();
        sound->play(true);
        // The null driver mixes in real time: the call cannot return before the sound ends.
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
        EXPECT_EQ(stateOf(*sound), AL_STOPPED);
    }
}

TEST(SoundPlayback, VolumeIsAGainIn256ths) {
    SoundMedia::writeWav("volume.wav", Pcm(1, 11025, 0.3));
    const std::unique_ptr<Sound> sound = load("volume.wav");
    for (const auto& [volume, gain] : {std::pair<int, float>{-1, 1.0f},
                                       {0, 0.0f},
                                       {1, 0.00390625f},
                                       {128, 0.5f},
                                       {255, 0.99609375f}}) {
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
