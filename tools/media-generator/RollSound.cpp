#include "RollSound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace RollSound {

namespace {

constexpr double DURATION = 0.62;  // seconds
constexpr double PEAK = 0.84;      // of full scale, leaving headroom

// Fixed-seed generator: the same sound on every machine and every run.
class Random {
public:
    explicit Random(uint32_t seed) : state(seed) {}
    double uniform() {  // 0..1
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 4294967296.0;
    }
    double between(double low, double high) { return low + (high - low) * uniform(); }

private:
    uint32_t state;
};

// One damped resonance: a wood mode of the table or a mode of the die.
struct Mode {
    double frequency;  // Hz
    double decay;      // seconds to fall by 1/e
    double gain;
};

// Table top modes (low, longer) and die modes (high, short).
const Mode TABLE[] = {{190, 0.045, 0.55}, {410, 0.035, 0.8},   {730, 0.028, 0.7},
                      {1180, 0.020, 0.5}, {1720, 0.014, 0.35}, {2600, 0.009, 0.25}};
const Mode DIE[] = {{3100, 0.006, 0.35}, {4700, 0.004, 0.3}, {6900, 0.003, 0.2}};

void addKnock(std::vector<double>& out, double time, double loudness, double brightness,
              Random& random) {
    const int start = static_cast<int>(time * SAMPLE_RATE);
    const int length = static_cast<int>(0.09 * SAMPLE_RATE);
    // Burst of noise, band-limited by a one-pole low-pass whose cut-off follows brightness.
    const double burstDecay = random.between(0.0005, 0.0012);
    const double smoothing = std::exp(-2 * M_PI * (1500 + 4500 * brightness) / SAMPLE_RATE);
    double lowPassed = 0;
    struct Voice {
        double omega, damping, gain, phase;
    };
    std::vector<Voice> voices;
    for (const Mode& m : TABLE) {
        voices.push_back({2 * M_PI * m.frequency * random.between(0.93, 1.07) / SAMPLE_RATE,
                          std::exp(-1.0 / (m.decay * random.between(0.8, 1.2) * SAMPLE_RATE)),
                          m.gain * random.between(0.6, 1.0), random.between(0, 2 * M_PI)});
    }
    for (const Mode& m : DIE) {
        voices.push_back({2 * M_PI * m.frequency * random.between(0.9, 1.1) / SAMPLE_RATE,
                          std::exp(-1.0 / (m.decay * SAMPLE_RATE)), m.gain * brightness,
                          random.between(0, 2 * M_PI)});
    }
    std::vector<double> envelope(voices.size(), 1.0);
    for (int i = 0; i < length && start + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double noise = random.between(-1, 1) * std::exp(-t / burstDecay);
        lowPassed = noise + smoothing * (lowPassed - noise);
        // The first 0.15 ms ramp in: a knock, not a digital click.
        const double attack = std::min(1.0, i / (0.00015 * SAMPLE_RATE));
        double ring = 0;
        for (size_t v = 0; v < voices.size(); ++v) {
            ring += voices[v].gain * envelope[v] * std::sin(voices[v].omega * i + voices[v].phase);
            envelope[v] *= voices[v].damping;
        }
        out[start + i] += loudness * attack * (0.9 * lowPassed + 0.35 * ring);
    }
}

// One die: a first strike, then bounces coming faster and softer, then a short roll.
void addDie(std::vector<double>& out, double firstHit, double loudness, Random& random) {
    double time = firstHit;
    double gap = random.between(0.10, 0.14);
    double level = loudness;
    while (time < DURATION - 0.07 && level > 0.03) {
        addKnock(out, time, level, random.between(0.4, 1.0), random);
        // A tumbling die often ticks an edge just after a face lands.
        if (random.uniform() < 0.45) {
            addKnock(out, time + random.between(0.008, 0.02), level * 0.35,
                     random.between(0.6, 1.0), random);
        }
        time += gap * random.between(0.85, 1.15);
        gap = std::max(gap * 0.8, 0.018);
        level *= random.between(0.72, 0.82);
    }
}

}  // namespace

std::vector<float> synthesize() {
    const int count = static_cast<int>(DURATION * SAMPLE_RATE);
    std::vector<double> mix(count, 0.0);
    Random random(0x44061u);
    addDie(mix, 0.0, 1.0, random);  // heard at once: the first strike is sample 0
    addDie(mix, 0.034, 0.8, random);
    addDie(mix, 0.083, 0.6, random);

    // Remove any offset: a gentle high-pass, then the mean.
    double previousIn = 0, previousOut = 0;
    const double pole = std::exp(-2 * M_PI * 25.0 / SAMPLE_RATE);
    for (double& s : mix) {
        const double filtered = pole * (previousOut + s - previousIn);
        previousIn = s;
        previousOut = filtered;
        s = filtered;
    }
    // Fade the last 40 ms so the file ends in silence without a click.
    const int fade = static_cast<int>(0.04 * SAMPLE_RATE);
    for (int i = 0; i < fade; ++i) {
        mix[count - 1 - i] *= static_cast<double>(i) / fade;
    }
    double mean = 0;
    for (double s : mix) {
        mean += s;
    }
    mean /= count;
    double peak = 0;
    for (double& s : mix) {
        s -= mean;
        peak = std::max(peak, std::fabs(s));
    }
    std::vector<float> samples(count);
    for (int i = 0; i < count; ++i) {
        samples[i] = static_cast<float>(mix[i] * PEAK / peak);
    }
    return samples;
}

bool writeWav(const std::string& path, const std::vector<float>& samples, std::string& errorText) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        errorText = "cannot write " + path;
        return false;
    }
    std::vector<uint8_t> bytes;
    auto put16 = [&bytes](uint32_t v) {
        bytes.push_back(v & 255);
        bytes.push_back((v >> 8) & 255);
    };
    auto put32 = [&put16](uint32_t v) {
        put16(v & 0xffff);
        put16(v >> 16);
    };
    auto tag = [&bytes](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    tag("RIFF");
    put32(36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(SAMPLE_RATE);
    put32(SAMPLE_RATE * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(dataSize);
    for (float s : samples) {
        const long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put16(static_cast<uint32_t>(static_cast<int16_t>(value)) & 0xffff);
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        errorText = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace RollSound
