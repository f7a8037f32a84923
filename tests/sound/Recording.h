#pragma once

// What OpenAL Soft's wave driver wrote: the file it records into while the device is
// open, read back once the device has been closed.

#include <cstdint>
#include <string>
#include <vector>

namespace Recording {

// Driver configuration that records every mixed sample, as 16-bit stereo at 44100 Hz
// without dither (silence is exact zeros), into wavePath. Returns the text of the configuration
// file.
std::string waveDriverConfig(const std::string& wavePath);

struct Wave {
    int channels = 0;
    int rate = 0;
    std::vector<int16_t> samples;  // interleaved

    // Sum of squared samples, in units of full scale.
    double energy() const;
    // Largest absolute sample, in units of full scale.
    double peak() const;
    // Frames whose samples exceed the threshold (full-scale units) on some channel.
    std::size_t loudFrames(double threshold) const;
};

// Reads a 16-bit PCM WAV file; throws on anything else, including a truncated file.
Wave read(const std::string& path);

}  // namespace Recording
