#include "WaveFile.h"

namespace vandrel {
namespace {

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string EncodeMonoWave(const std::vector<std::int16_t>& samples, int sampleRate) {
  constexpr int kBytesPerSample = 2;
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
  std::string bytes = "RIFF";
  AppendLittleEndian(bytes, 36 + dataSize, 4);
  bytes += "WAVEfmt ";
  AppendLittleEndian(bytes, 16, 4);  // the size of the format chunk
  AppendLittleEndian(bytes, 1, 2);   // PCM
  AppendLittleEndian(bytes, 1, 2);   // mono
  AppendLittleEndian(bytes, static_cast<std::uint32_t>(sampleRate), 4);
  AppendLittleEndian(bytes, static_cast<std::uint32_t>(sampleRate * kBytesPerSample), 4);
  AppendLittleEndian(bytes, kBytesPerSample, 2);  // block align
  AppendLittleEndian(bytes, 16, 2);               // bits per sample
  bytes += "data";
  AppendLittleEndian(bytes, dataSize, 4);
  for (const std::int16_t sample : samples) AppendLittleEndian(bytes, static_cast<std::uint16_t>(sample), 2);
  return bytes;
}

}  // namespace vandrel
