// The browser's WAV reader, on files built here byte by byte.
#include <gtest/gtest.h>

#include <string>

#include "WavFile.h"

namespace {

std::string le(unsigned value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xff);
    return out;
}

std::string chunk(const std::string& name, const std::string& body) {
    return name + le(unsigned(body.size()), 4) + body +
           (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string format(int code, int channels, int rate, int bits) {
    const int frame = channels * bits / 8;
    return chunk("fmt ", le(code, 2) + le(channels, 2) + le(rate, 4) + le(rate * frame, 4) +
                             le(frame, 2) + le(bits, 2));
}

std::string riff(const std::string& chunks) {
    return "RIFF" + le(unsigned(chunks.size() + 4), 4) + "WAVE" + chunks;
}

struct Case {
    const char* what;
    std::string file;
    WavResult result;
    int channels, bits, rate;
    size_t samples;
};

TEST(WavFile, ReadsPcmAndRefusesTheRest) {
    const std::string six(6, '\x10');
    const Case cases[] = {
        {"mono 16-bit", riff(format(1, 1, 22050, 16) + chunk("data", six)), WavResult::Read, 1, 16,
         22050, 6},
        {"stereo 8-bit after an odd-sized chunk",
         riff(chunk("LIST", "abc") + format(1, 2, 8000, 8) + chunk("data", six)), WavResult::Read,
         2, 8, 8000, 6},
        {"a cut last frame is dropped", riff(format(1, 2, 44100, 16) + chunk("data", six)),
         WavResult::Read, 2, 16, 44100, 4},
        {"empty data", riff(format(1, 1, 11025, 8) + chunk("data", "")), WavResult::Read, 1, 8,
         11025, 0},
        {"not RIFF", "RIFX" + riff("").substr(4), WavResult::NotWave, 0, 0, 0, 0},
        {"not WAVE", riff("").replace(8, 4, "AVI "), WavResult::NotWave, 0, 0, 0, 0},
        {"shorter than a header", "RIFF", WavResult::NotWave, 0, 0, 0, 0},
        {"float samples", riff(format(3, 1, 8000, 32) + chunk("data", six)), WavResult::Unsupported,
         0, 0, 0, 0},
        {"24-bit", riff(format(1, 1, 8000, 24) + chunk("data", six)), WavResult::Unsupported, 0, 0,
         0, 0},
        {"three channels", riff(format(1, 3, 8000, 8) + chunk("data", six)), WavResult::Unsupported,
         0, 0, 0, 0},
        {"no rate", riff(format(1, 1, 0, 8) + chunk("data", six)), WavResult::Unsupported, 0, 0, 0,
         0},
        {"data before its format", riff(chunk("data", six) + format(1, 1, 8000, 8)),
         WavResult::Corrupt, 0, 0, 0, 0},
        {"a chunk longer than the file", riff(format(1, 1, 8000, 8) + "data" + le(100, 4) + six),
         WavResult::Corrupt, 0, 0, 0, 0},
        {"a short format", riff(chunk("fmt ", "abcd") + chunk("data", six)), WavResult::Corrupt, 0,
         0, 0, 0},
        {"no data", riff(format(1, 1, 8000, 8)), WavResult::Corrupt, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WavFile wav;
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.file.data());
        ASSERT_EQ(readWav(bytes, c.file.size(), &wav), c.result);
        if (c.result != WavResult::Read)
            continue;
        EXPECT_EQ(wav.channels, c.channels);
        EXPECT_EQ(wav.bitsPerSample, c.bits);
        EXPECT_EQ(wav.sampleRate, c.rate);
        EXPECT_EQ(wav.samples, std::vector<unsigned char>(c.samples, 0x10));
    }
}

}  // namespace
