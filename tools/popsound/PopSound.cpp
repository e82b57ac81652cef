#include "PopSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vandrel {
namespace {

constexpr double kDurationSeconds = 0.11;
constexpr double kAttackSeconds = 0.002;
constexpr double kDecaySeconds = 0.022;  // time constant of the fall
constexpr double kFadeSeconds = 0.015;   // the last stretch goes smoothly to zero
constexpr double kStartHz = 880.0;
constexpr double kEndHz = 330.0;
constexpr double kGlideSeconds = 0.018;  // time constant of the pitch's fall
constexpr double kPeak = 0.7 * 32767.0;

double Envelope(double t) {
  const double attack = t < kAttackSeconds ? std::sin(0.5 * std::numbers::pi * t / kAttackSeconds) : 1.0;
  const double decay = std::exp(-std::max(0.0, t - kAttackSeconds) / kDecaySeconds);
  const double untilEnd = kDurationSeconds - t;
  const double fade = untilEnd < kFadeSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * untilEnd / kFadeSeconds) : 1.0;
  return attack * decay * fade;
}

}  // namespace

std::vector<std::int16_t> SynthesisePop() {
  const int count = static_cast<int>(kDurationSeconds * kPopSampleRate);
  std::vector<std::int16_t> samples(count);
  double phase = 0.0;
  for (int i = 0; i < count; ++i) {
    // The sample at the end lies at kDurationSeconds, where the fade is zero.
    const double t = kDurationSeconds * i / (count - 1);
    samples[i] = static_cast<std::int16_t>(std::lround(kPeak * Envelope(t) * std::sin(phase)));
    const double hz = kEndHz + (kStartHz - kEndHz) * std::exp(-t / kGlideSeconds);
    phase += 2.0 * std::numbers::pi * hz / kPopSampleRate;
  }
  return samples;
}

}  // namespace vandrel
