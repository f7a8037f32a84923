// The roll sound: a few dice rattling on a wooden table, synthesized. Each impact is
// a short knock (a burst of filtered noise exciting damped wood modes, with the
// die's own brighter click); three dice bounce with shrinking gaps and loudness.
#pragma once

#include <string>
#include <vector>

namespace RollSound {

constexpr int SAMPLE_RATE = 44100;

// Mono samples in -1..1, the first impact at the very first sample.
std::vector<float> synthesize();

// 16-bit PCM mono WAV; false with errorText set on failure.
bool writeWav(const std::string& path, const std::vector<float>& samples, std::string& errorText);

}  // namespace RollSound
