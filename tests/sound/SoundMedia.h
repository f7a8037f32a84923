#pragma once

// Test sounds made on the spot: WAV files written byte by byte and Ogg Vorbis files
// encoded with libvorbisenc, so no sample media is ever needed.

#include <cstdint>
#include <string>
#include <vector>

namespace SoundMedia {

// Interleaved 16-bit samples with their layout.
struct Pcm {
    int channels = 1;
    int rate = 44100;
    std::vector<int16_t> samples;

    std::size_t frames() const { return samples.size() / static_cast<std::size_t>(channels); }
};

// A sine tone of the given frequency and amplitude (0 to 1), the same on every channel.
Pcm tone(int channels, int rate, double seconds, double frequency, double amplitude);

// Deterministic white noise: copies of it layered with a time offset do not cancel.
Pcm noise(int channels, int rate, double seconds, double amplitude, uint32_t seed);

// Writes a PCM WAV file, 16-bit or (when eightBit) unsigned 8-bit samples.
void writeWav(const std::string& path, const Pcm& pcm, bool eightBit = false);

// Encodes an Ogg Vorbis file; an empty Pcm gives a valid stream without samples. The
// serial number tells the logical streams of a chained file apart.
void writeOgg(const std::string& path, const Pcm& pcm, int serial = 1);

std::vector<unsigned char> readFile(const std::string& path);
void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace SoundMedia
