#include "Recording.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "SoundMedia.h"

namespace Recording {

namespace {

uint32_t le(const std::vector<unsigned char>& bytes, std::size_t at, int count) {
    if (at + static_cast<std::size_t>(count) > bytes.size()) {
        throw std::runtime_error("recording is truncated");
    }
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value |= static_cast<uint32_t>(bytes[at + static_cast<std::size_t>(i)]) << (8 * i);
    }
    return value;
}

bool tagAt(const std::vector<unsigned char>& bytes, std::size_t at, const char* tag) {
    return at + 4 <= bytes.size() &&
           std::equal(tag, tag + 4, bytes.begin() + static_cast<long>(at));
}

}  // namespace

std::string waveDriverConfig(const std::string& wavePath) {
    return "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\nfrequency=44100\n"
           "dither=false\n"
           "[wave]\nfile=" +
           wavePath + "\n";
}

Wave read(const std::string& path) {
    const std::vector<unsigned char> bytes = SoundMedia::readFile(path);
    if (!tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE")) {
        throw std::runtime_error(path + " is not a WAV file");
    }
    Wave wave;
    int bits = 0;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = le(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (tagAt(bytes, at, "fmt ")) {
            wave.channels = static_cast<int>(le(bytes, body + 2, 2));
            wave.rate = static_cast<int>(le(bytes, body + 4, 4));
            bits = static_cast<int>(le(bytes, body + 14, 2));
        } else if (tagAt(bytes, at, "data")) {
            if (bits != 16) {
                throw std::runtime_error(path + " does not hold 16-bit samples");
            }
            if (body + size > bytes.size()) {
                throw std::runtime_error("recording is truncated");
            }
            for (std::size_t i = 0; i + 1 < size; i += 2) {
                wave.samples.push_back(static_cast<int16_t>(le(bytes, body + i, 2)));
            }
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveData || wave.channels <= 0) {
        throw std::runtime_error(path + " has no sample data");
    }
    return wave;
}

double Wave::energy() const {
    double sum = 0.0;
    for (int16_t s : samples) {
        const double v = s / 32768.0;
        sum += v * v;
    }
    return sum;
}

double Wave::peak() const {
    int largest = 0;
    for (int16_t s : samples) {
        largest = std::max(largest, std::abs(static_cast<int>(s)));
    }
    return largest / 32768.0;
}

std::size_t Wave::loudFrames(double threshold) const {
    std::size_t count = 0;
    const auto width = static_cast<std::size_t>(channels);
    for (std::size_t frame = 0; frame + width <= samples.size(); frame += width) {
        for (std::size_t c = 0; c < width; ++c) {
            if (std::abs(samples[frame + c] / 32768.0) > threshold) {
                ++count;
                break;
            }
        }
    }
    return count;
}

}  // namespace Recording
