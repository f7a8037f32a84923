#pragma once

// Test sounds made on the spot: WAV files written byte by byte and Ogg Vorbis files encoded
// with libvorbisenc, so no sample media is ever needed.

#include <cstdint>
#include <string>
#include <vector>

namespace SoundMedia {

// Deterministic white noise at half of full scale, as interleaved 16-bit samples.
struct Pcm {
    Pcm(int channels, int rate, double seconds);
    int channels, rate;
    std::vector<int16_t> samples;
};

// A PCM WAV file, 16-bit or (when eightBit) unsigned 8-bit samples.
void writeWav(const std::string& path, const Pcm& pcm, bool eightBit = false);
// An Ogg Vorbis file of the samples.
void writeOgg(const std::string& path, const Pcm& pcm);

}  // namespace SoundMedia
