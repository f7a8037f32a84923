// Sound loading and playback, observed through OpenAL itself (buffer layout, source
// state, gain), through recordings of what was mixed (OpenAL Soft's wave driver), and
// through the console output and exit status of child processes for the fatal paths.

#include <AL/al.h>
#include <AL/alut.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "MainClass.h"
#include "Process.h"
#include "Recording.h"
#include "Sound.h"
#include "SoundChild.h"
#include "SoundManager.h"
#include "SoundMedia.h"

namespace {

namespace fs = std::filesystem;
using SoundMedia::Pcm;

std::string programPath;
fs::path workDir;
MainClass* app = nullptr;

// Every test works in one scratch directory, so that sounds are named as the library's
// users name them: relative to the working directory, down to a bare ".ogg".
class SoundEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tovrik-sound-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        workDir = pattern;
        fs::current_path(workDir);
    }
    void TearDown() override {
        delete app;  // shuts the audio system down; every test has released its sounds
        app = nullptr;
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(workDir);
    }
};

// This program again, as "--child <args...>" (see SoundChild.h).
ChildResult runChild(std::vector<std::string> args, const std::vector<EnvSetting>& env = {}) {
    args.insert(args.begin(), {"/proc/self/exe", "--child"});
    return runProgram(args, env, workDir.string());
}

// The application object of this process, made on first use: one window per process.
const SoundManager& sounds() {
    if (app == nullptr) {
        app = new MainClass(programPath.c_str());
    }
    return *app->getSoundManager();
}

std::unique_ptr<Sound> load(const std::string& name) {
    return std::unique_ptr<Sound>(sounds().loadSound(name.c_str()));
}

// The buffer holds the samples as `bits`-bit words in the Pcm's layout.
void expectLayout(const Sound& sound, const Pcm& pcm, int bits) {
    ALint channels = 0, depth = 0, rate = 0, size = 0;
    alGetBufferi(sound.getBufferID(), AL_CHANNELS, &channels);
    alGetBufferi(sound.getBufferID(), AL_BITS, &depth);
    alGetBufferi(sound.getBufferID(), AL_FREQUENCY, &rate);
    alGetBufferi(sound.getBufferID(), AL_SIZE, &size);
    EXPECT_EQ(channels, pcm.channels);
    EXPECT_EQ(depth, bits);
    EXPECT_EQ(rate, pcm.rate);
    EXPECT_EQ(size, static_cast<ALint>(pcm.samples.size()) * bits / 8);
}

ALint stateOf(const Sound& sound) {
    ALint state = 0;
    alGetSourcei(sound.getSourceID(), AL_SOURCE_STATE, &state);
    return state;
}

float gainOf(const Sound& sound) {
    float gain = -1.0f;
    alGetSourcef(sound.getSourceID(), AL_GAIN, &gain);
    return gain;
}

const Pcm& monoOgg() {
    static const Pcm pcm = SoundMedia::tone(1, 22050, 0.5, 440.0, 0.5);
    return pcm;
}
// Longer than one decoder read, so the stream comes in several blocks.
const Pcm& stereoOgg() {
    static const Pcm pcm = SoundMedia::tone(2, 44100, 1.0, 330.0, 0.5);
    return pcm;
}
const Pcm& shortWav() {
    static const Pcm pcm = SoundMedia::tone(1, 11025, 0.3, 440.0, 0.5);
    return pcm;
}
// Long enough that no scheduling delay lets it end between two calls of a test.
const Pcm& longWav() {
    static const Pcm pcm = SoundMedia::tone(1, 11025, 3.0, 440.0, 0.5);
    return pcm;
}

// ---------------------------------------------------------------------------------------
// Loading, with the null driver.

TEST(SoundLoading, OggNamesInAnyCaseAreDecodedAs16BitAtTheFileRate) {
    // ALUT cannot read Ogg Vorbis at all: each of these loads only through the decoder.
    for (const std::string name : {".ogg", "lower.ogg", "upper.OGG", "mixed.Ogg"}) {
        SCOPED_TRACE(name);
        SoundMedia::writeOgg(name, monoOgg());
        std::unique_ptr<Sound> sound = load(name);
        EXPECT_TRUE(sound->isLoaded());
        expectLayout(*sound, monoOgg(), 16);
    }
    SoundMedia::writeOgg("stereo.ogg", stereoOgg());
    expectLayout(*load("stereo.ogg"), stereoOgg(), 16);
}

TEST(SoundLoading, OtherNamesGoToAlutUnchanged) {
    // 8-bit samples survive only through ALUT: the decoder path always gives 16 bits.
    const Pcm pcm = SoundMedia::tone(1, 11025, 0.2, 440.0, 0.5);
    for (const std::string name : {"ogg", "long.ogg2", "plain.wav", "Sound.OGG.wav"}) {
        SCOPED_TRACE(name);
        SoundMedia::writeWav(name, pcm, true);
        expectLayout(*load(name), pcm, 8);
    }
    SoundMedia::writeWav("sixteen.wav", shortWav());
    expectLayout(*load("sixteen.wav"), shortWav(), 16);
}

TEST(SoundLoading, EmptyOggStreamGivesASilentSound) {
    Pcm empty;
    empty.channels = 2;
    empty.rate = 48000;
    SoundMedia::writeOgg("empty.ogg", empty);
    std::unique_ptr<Sound> sound = load("empty.ogg");
    expectLayout(*sound, empty, 16);
    sound->play(true);  // nothing to play: returns instead of waiting forever
    EXPECT_FALSE(sound->isPlaying());
}

TEST(SoundLoading, MoreThanTwoChannelsDecodeAsStereoWords) {
    // Every decoded word is kept; the buffer is declared 16-bit stereo at the file's rate.
    const Pcm three = SoundMedia::tone(3, 32000, 0.2, 440.0, 0.5);
    SoundMedia::writeOgg("three.ogg", three);
    std::unique_ptr<Sound> sound = load("three.ogg");
    Pcm asStereo = three;
    asStereo.channels = 2;
    expectLayout(*sound, asStereo, 16);
    sound->play(true);
    EXPECT_FALSE(sound->isPlaying());
}

TEST(SoundLoading, ChainedStreamsDecodeWhollyInTheFirstLayout) {
    // Noise spreads each stream over several pages: the decoder skips a first stream that
    // fits in a single page when it opens a chained file.
    const Pcm first = SoundMedia::noise(1, 22050, 1.0, 0.5, 5);
    const Pcm second = SoundMedia::noise(2, 44100, 0.3, 0.5, 6);
    SoundMedia::writeOgg("first.part", first, 1);
    SoundMedia::writeOgg("second.part", second, 2);
    std::vector<unsigned char> chained = SoundMedia::readFile("first.part");
    const std::vector<unsigned char> tail = SoundMedia::readFile("second.part");
    chained.insert(chained.end(), tail.begin(), tail.end());
    SoundMedia::writeFile("chained.ogg", chained);

    std::unique_ptr<Sound> sound = load("chained.ogg");
    Pcm whole = first;  // the second stream's words, in the first stream's layout
    whole.samples.insert(whole.samples.end(), second.samples.begin(), second.samples.end());
    expectLayout(*sound, whole, 16);
}

TEST(SoundLoading, EachLoadOwnsItsBufferAndSource) {
    SoundMedia::writeWav("twice.wav", longWav());
    SoundMedia::writeOgg("twice.ogg", SoundMedia::tone(1, 22050, 3.0, 440.0, 0.5));
    for (const std::string name : {"twice.wav", "twice.ogg"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Sound> first = load(name);
        std::unique_ptr<Sound> second = load(name);
        EXPECT_NE(first->getBufferID(), second->getBufferID());
        EXPECT_NE(first->getSourceID(), second->getSourceID());
        for (const Sound* sound : {first.get(), second.get()}) {
            ALint attached = 0;
            alGetSourcei(sound->getSourceID(), AL_BUFFER, &attached);
            EXPECT_EQ(static_cast<ALuint>(attached), sound->getBufferID());
        }

        // Deleting one releases its names and leaves the other playable.
        const ALuint buffer = first->getBufferID();
        const ALuint source = first->getSourceID();
        first.reset();
        EXPECT_FALSE(alIsSource(source));
        EXPECT_FALSE(alIsBuffer(buffer));
        second->play(false);
        EXPECT_TRUE(second->isPlaying());
        second->stop();
    }
}

// ---------------------------------------------------------------------------------------
// Playback state and volume, with the null driver (which mixes in real time).

TEST(SoundPlayback, IsPlayingFollowsTheSource) {
    SoundMedia::writeWav("state.wav", longWav());
    std::unique_ptr<Sound> sound = load("state.wav");
    EXPECT_FALSE(sound->isPlaying());
    sound->stop();
    EXPECT_FALSE(sound->isPlaying());

    sound->play(false);
    EXPECT_TRUE(sound->isPlaying());
    sound->stop();
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_EQ(stateOf(*sound), AL_STOPPED);

    // A paused source still counts as playing.
    sound->play(false);
    alSourcePause(sound->getSourceID());
    EXPECT_TRUE(sound->isPlaying());
    sound->stop();
}

TEST(SoundPlayback, SoundStopsByItselfAtItsEndAndPlaysAgain) {
    SoundMedia::writeWav("end.wav", shortWav());
    std::unique_ptr<Sound> sound = load("end.wav");
    sound->play(false);
    EXPECT_TRUE(waitUntilSilent(*sound, std::chrono::seconds(10))) << "the sound never ended";
    EXPECT_EQ(stateOf(*sound), AL_STOPPED);

    sound->play(false);  // a stopped sound plays again
    EXPECT_EQ(stateOf(*sound), AL_PLAYING);
    EXPECT_TRUE(waitUntilSilent(*sound, std::chrono::seconds(10)));
}

TEST(SoundPlayback, VolumeIsAGainInSteps256th) {
    SoundMedia::writeWav("volume.wav", shortWav());
    std::unique_ptr<Sound> sound = load("volume.wav");
    EXPECT_EQ(gainOf(*sound), 1.0f);  // untouched until a volume is set
    const std::pair<unsigned char, float> cases[] = {
        {0, 0.0f}, {1, 0.00390625f}, {128, 0.5f}, {255, 0.99609375f}};
    for (const auto& [volume, gain] : cases) {
        sound->setVolume(volume);
        EXPECT_EQ(gainOf(*sound), gain) << "volume " << static_cast<int>(volume);
    }
}

// ---------------------------------------------------------------------------------------
// What is actually mixed, recorded by the wave driver in a child process: the recording
// is complete only once the child has closed the device.

std::optional<Recording::Wave> record(const std::string& tag,
                                      const std::vector<std::string>& args) {
    const std::string wavePath = (workDir / (tag + ".rec.wav")).string();
    const std::string confPath = (workDir / (tag + ".conf")).string();
    const std::string config = Recording::waveDriverConfig(wavePath);
    SoundMedia::writeFile(confPath, std::vector<unsigned char>(config.begin(), config.end()));
    // The null driver every test gets would override the configuration file.
    const ChildResult child =
        runChild(args, {{"ALSOFT_DRIVERS", std::nullopt}, {"ALSOFT_CONF", confPath}});
    if (!child.finished || child.exitStatus != 0 || !fs::exists(wavePath)) {
        ADD_FAILURE() << tag << ": child ended with status " << child.exitStatus << "\nstdout:\n"
                      << child.out << "\nstderr:\n"
                      << child.err;
        return std::nullopt;
    }
    return Recording::read(wavePath);
}

constexpr double NOISE_SECONDS = 0.8;

// Noise: copies layered with an offset add their energy instead of cancelling.
const Pcm& noiseWav() {
    static const Pcm pcm = SoundMedia::noise(1, 44100, NOISE_SECONDS, 0.5, 7);
    return pcm;
}

TEST(SoundRecording, PlayedSoundsAreHeardForTheirLength) {
    SoundMedia::writeWav("noise.wav", noiseWav());
    SoundMedia::writeOgg("noise.ogg", SoundMedia::noise(2, 22050, NOISE_SECONDS, 0.5, 11));
    for (const std::string name : {"noise.wav", "noise.ogg"}) {
        SCOPED_TRACE(name);
        const auto wave = record(name, {"play", name, "default"});
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->rate, 44100);
        const double expectedFrames = NOISE_SECONDS * 44100;
        EXPECT_GT(wave->loudFrames(0.01), 0.85 * expectedFrames);
        EXPECT_LT(wave->loudFrames(0.01), 1.1 * expectedFrames);
    }
}

TEST(SoundRecording, VolumeScalesWhatIsHeard) {
    SoundMedia::writeWav("noise.wav", noiseWav());
    const auto full = record("full", {"play", "noise.wav", "default"});
    const auto half = record("half", {"play", "noise.wav", "128"});
    const auto mute = record("mute", {"play", "noise.wav", "0"});
    ASSERT_TRUE(full && half && mute);
    ASSERT_GT(full->peak(), 0.1);
    // Half the gain is a quarter of the energy.
    EXPECT_NEAR(half->energy() / full->energy(), 0.25, 0.03);
    EXPECT_EQ(mute->peak(), 0.0);
}

TEST(SoundRecording, QuickReplayRestartsTheOneCopy) {
    SoundMedia::writeWav("noise.wav", noiseWav());
    const auto once = record("once", {"play", "noise.wav", "default"});
    const auto twice = record("twice", {"replay", "noise.wav", "50"});
    ASSERT_TRUE(once && twice);
    // Restarted: the first 50 ms plus one whole copy, a little more energy than one play
    // (below 1.5 times even if the pause between the calls stretched to 300 ms). Two
    // layered copies would give about twice as much.
    const double ratio = twice->energy() / once->energy();
    EXPECT_GT(ratio, 0.95);
    EXPECT_LT(ratio, 1.5);
}

// ---------------------------------------------------------------------------------------
// Fatal paths: the console output of a child process and its exit status.

const char* const FATAL_LINE = "#### Program cannot continue.";

ChildResult loadInChild(const std::string& name) {
    return runChild({"load", name}, {});
}

// Standard output starts with exactly these lines and the process exits with status 1.
void expectFatal(const ChildResult& child, const std::vector<std::string>& lines) {
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitStatus, 1);
    const std::vector<std::string> out = linesOf(child.out);
    ASSERT_GE(out.size(), lines.size()) << child.out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(out[i], lines[i]) << "line " << i << " of:\n" << child.out;
    }
}

TEST(SoundFailures, LoadFailuresNameTheFileAndTheReason) {
    // An Ogg Vorbis file under another extension goes to ALUT, which cannot read it.
    SoundMedia::writeOgg("music.wav", monoOgg());
    SoundMedia::writeWav("wave.ogg", shortWav());
    SoundMedia::writeFile("empty.OGG", {});
    const std::string alut = "ERROR: ";
    const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
        {"missing.wav", {alut + "missing.wav: " + alutGetErrorString(ALUT_ERROR_IO_ERROR)}},
        {"music.wav",
         {alut + "music.wav: " + alutGetErrorString(ALUT_ERROR_UNSUPPORTED_FILE_TYPE)}},
        {"missing.ogg",
         {"Cannot open missing.ogg for reading...", "ERROR: cannot open ogg file for reading"}},
        {"wave.ogg",
         {"Error opening wave.ogg for decoding", "ERROR: error opening ogg file for decoding"}},
        {"empty.OGG",
         {"Error opening empty.OGG for decoding", "ERROR: error opening ogg file for decoding"}},
    };
    for (auto [name, lines] : rows) {
        SCOPED_TRACE(name);
        lines.push_back(FATAL_LINE);
        expectFatal(loadInChild(name), lines);
    }
}

TEST(SoundFailures, CorruptStreamIsReportedOnStandardError) {
    SoundMedia::writeOgg("whole.ogg", SoundMedia::noise(2, 44100, 3.0, 0.5, 3));
    std::vector<unsigned char> bytes = SoundMedia::readFile("whole.ogg");
    // Damaged pages in the middle: the header still opens, decoding meets a hole.
    for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i) {
        bytes[i] ^= 0x5a;
    }
    SoundMedia::writeFile("corrupt.ogg", bytes);

    const ChildResult child = loadInChild("corrupt.ogg");
    expectFatal(child, {"ERROR: error decoding ogg file", FATAL_LINE});
    const std::vector<std::string> err = linesOf(child.err);
    EXPECT_NE(std::find(err.begin(), err.end(), "Error decoding corrupt.ogg"), err.end())
        << child.err;
    EXPECT_EQ(child.out.find("Error decoding"), std::string::npos);
}

TEST(SoundFailures, NoAudioDeviceFailsTheStartUpAssertion) {
    const ChildResult child =
        runChild({"init"}, {{"ALSOFT_DRIVERS", std::string("no-such-driver")}});
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitStatus, 1);
    EXPECT_TRUE(
        std::regex_match(child.out, std::regex("ASSERTION FAILED: .*SoundManager\\.cpp:[0-9]+\n")))
        << child.out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--child") {
        return runChildScenario(argv[0], argc - 2, argv + 2);
    }
    programPath = argv[0];
    // No sound card is needed: unless told otherwise, mix into nothing.
    setenv("ALSOFT_DRIVERS", "null", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new SoundEnvironment);
    return RUN_ALL_TESTS();
}
