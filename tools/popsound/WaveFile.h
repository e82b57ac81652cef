#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vandrel {

// The bytes of a RIFF WAVE file holding 16-bit mono PCM `samples` at
// `sampleRate`, little-endian, with no chunks beyond "fmt " and "data".
std::string EncodeMonoWave(const std::vector<std::int16_t>& samples, int sampleRate);

}  // namespace vandrel
