#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "PopSound.h"
#include "WaveFile.h"

namespace vandrel {
namespace {

int Magnitude(std::int16_t sample) { return std::abs(static_cast<int>(sample)); }

std::uint32_t LittleEndianAt(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST(PopSoundTest, IsShortRisesFastAndEndsInSilenceWithoutAClick) {
  const std::vector<std::int16_t> pop = SynthesisePop();
  ASSERT_FALSE(pop.empty());
  EXPECT_LT(pop.size(), static_cast<std::size_t>(0.3 * kPopSampleRate));
  EXPECT_EQ(pop.front(), 0) << "no click at the start";
  EXPECT_EQ(pop.back(), 0) << "no click at the end";
  const auto loudest =
      std::max_element(pop.begin(), pop.end(), [](auto a, auto b) { return Magnitude(a) < Magnitude(b); });
  EXPECT_LT(std::distance(pop.begin(), loudest), kPopSampleRate * 6 / 1000) << "the attack is fast";
  EXPECT_GT(Magnitude(*loudest), 16000) << "loud enough to hear";
  EXPECT_LT(Magnitude(*loudest), 32767) << "never clipped";
  // The last 5 ms are close to silence, and no step between neighbours there
  // is large enough to click.
  const std::size_t tail = pop.size() - kPopSampleRate * 5 / 1000;
  for (std::size_t i = tail; i < pop.size(); ++i) {
    EXPECT_LT(Magnitude(pop[i]), 300) << "sample " << i;
    EXPECT_LT(std::abs(pop[i] - pop[i - 1]), 300) << "sample " << i;
  }
}

TEST(PopSoundTest, TheWaveFileIsSixteenBitMonoPcmHoldingEverySample) {
  const std::vector<std::int16_t> samples{0, 1, -1, 32767, -32768};
  const std::string wave = EncodeMonoWave(samples, kPopSampleRate);
  ASSERT_EQ(wave.size(), 44u + 2 * samples.size());
  EXPECT_EQ(wave.substr(0, 4), "RIFF");
  EXPECT_EQ(LittleEndianAt(wave, 4, 4), wave.size() - 8);
  EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(LittleEndianAt(wave, 20, 2), 1u) << "PCM";
  EXPECT_EQ(LittleEndianAt(wave, 22, 2), 1u) << "mono";
  EXPECT_EQ(LittleEndianAt(wave, 24, 4), 22050u);
  EXPECT_EQ(LittleEndianAt(wave, 28, 4), 44100u) << "bytes per second";
  EXPECT_EQ(LittleEndianAt(wave, 32, 2), 2u) << "block align";
  EXPECT_EQ(LittleEndianAt(wave, 34, 2), 16u);
  EXPECT_EQ(wave.substr(36, 4), "data");
  EXPECT_EQ(LittleEndianAt(wave, 40, 4), 2 * samples.size());
  EXPECT_EQ(LittleEndianAt(wave, 44 + 2 * 2, 2), 0xFFFFu);
  EXPECT_EQ(LittleEndianAt(wave, 44 + 2 * 4, 2), 0x8000u);
}

TEST(PopSoundTest, TheShippedPopIsWhatTheToolMakes) {
  std::ifstream file(VANDREL_SOURCE_DIR "/resources/Pop.wav", std::ios::binary);
  ASSERT_TRUE(file) << "resources/Pop.wav";
  const std::string shipped{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_TRUE(shipped == EncodeMonoWave(SynthesisePop(), kPopSampleRate))
      << "regenerate it: make-pop-wav resources/Pop.wav";
}

}  // namespace
}  // namespace vandrel
