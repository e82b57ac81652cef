// Win32Sound under Wine, which has no audio device here: playing must return
// at once and never block the caller.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/Win32Sound.h"

namespace vandrel {
namespace {

constexpr ULONGLONG kPromptMs = 1000;

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
}

// A half-second 8-bit mono tone as a canonical RIFF wave file.
std::string WriteTone() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "vandrel_sound_test.wav";
  const std::uint32_t rate = 8000;
  std::vector<char> samples(rate / 2);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<char>(i % 16 < 8 ? 0x40 : 0xC0);
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  Put(out, 36 + static_cast<std::uint32_t>(samples.size()), 4);
  out.write("WAVEfmt ", 8);
  Put(out, 16, 4);    // format chunk size
  Put(out, 1, 2);     // PCM
  Put(out, 1, 2);     // mono
  Put(out, rate, 4);  // samples per second
  Put(out, rate, 4);  // bytes per second
  Put(out, 1, 2);     // block align
  Put(out, 8, 2);     // bits per sample
  out.write("data", 4);
  Put(out, static_cast<std::uint32_t>(samples.size()), 4);
  out.write(samples.data(), static_cast<std::streamsize>(samples.size()));
  return path;
}

ULONGLONG MillisecondsToPlay(Sound& sound, const std::string& file) {
  const DWORD start = GetTickCount();
  sound.PlayFileAsync(file);
  return GetTickCount() - start;
}

TEST(Win32Sound, AMissingFileReturnsPromptly) {
  Win32Sound sound;
  EXPECT_LT(MillisecondsToPlay(sound, "C:\\no\\such\\sound.wav"), kPromptMs);
}

TEST(Win32Sound, ARealWaveReturnsPromptlyAlsoWhenPlayedAgain) {
  const std::string tone = WriteTone();
  Win32Sound sound;
  EXPECT_LT(MillisecondsToPlay(sound, tone), kPromptMs);
  EXPECT_LT(MillisecondsToPlay(sound, tone), kPromptMs);  // cuts off the first
  PlaySoundA(nullptr, nullptr, 0);                        // stop before deleting the file
  EXPECT_TRUE(DeleteFileA(tone.c_str()));
}

}  // namespace
}  // namespace vandrel
