#pragma once
#include <cstdint>
#include <vector>

namespace vandrel {

inline constexpr int kPopSampleRate = 22050;

// The program's "pop": a sine whose pitch falls fast, under an envelope
// that rises within two milliseconds, decays quickly and fades to silence,
// so that the sound neither starts nor ends with a click. 16-bit mono
// samples at kPopSampleRate, about a tenth of a second.
std::vector<std::int16_t> SynthesisePop();

}  // namespace vandrel
