#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The samples of a RIFF WAVE file with uncompressed PCM (8 or 16 bits, mono or stereo),
// the kinds OpenAL takes as they are.
struct WavFile {
    int channels = 0;
    int bitsPerSample = 0;
    int sampleRate = 0;
    std::vector<unsigned char> samples;  // as stored: 8-bit unsigned or 16-bit little-endian
};

enum class WavResult { Read, NotWave, Unsupported, Corrupt };

// Reads the file's bytes; `out` is complete only when the result is Read.
WavResult readWav(const unsigned char* bytes, size_t size, WavFile* out);
