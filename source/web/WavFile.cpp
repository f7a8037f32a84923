#include "WavFile.h"

#include <cstring>

namespace {

unsigned readLittle(const unsigned char* p, int bytes) {
    unsigned value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

const int PCM = 1;

}  // namespace

WavResult readWav(const unsigned char* bytes, size_t size, WavFile* out) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return WavResult::NotWave;
    }
    bool haveFormat = false;
    size_t at = 12;
    // Chunks: a four-letter name, a 32-bit length, the body, padded to an even length.
    while (size - at >= 8) {
        const unsigned char* chunk = bytes + at;
        const size_t length = readLittle(chunk + 4, 4);
        const size_t body = at + 8;
        if (length > size - body) {
            return WavResult::Corrupt;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16) {
                return WavResult::Corrupt;
            }
            const unsigned char* f = bytes + body;
            out->channels = int(readLittle(f + 2, 2));
            out->sampleRate = int(readLittle(f + 4, 4));
            out->bitsPerSample = int(readLittle(f + 14, 2));
            if (readLittle(f, 2) != PCM || out->channels < 1 || out->channels > 2 ||
                (out->bitsPerSample != 8 && out->bitsPerSample != 16) || out->sampleRate <= 0) {
                return WavResult::Unsupported;
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) {
                return WavResult::Corrupt;
            }
            // Whole sample frames only: a cut last frame is dropped.
            const size_t frame = size_t(out->channels) * size_t(out->bitsPerSample / 8);
            out->samples.assign(bytes + body, bytes + body + length / frame * frame);
            return WavResult::Read;
        }
        at = body + length + (length & 1);
        if (at > size) {
            break;
        }
    }
    return WavResult::Corrupt;
}
