// Win32Sound under Wine, which has no audio device here. What the user would
// hear (asynchronous play, the default sound for a missing file) shows only
// in the flags handed to PlaySoundA, so the tests record them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/Win32Sound.h"

namespace vandrel {
namespace {

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
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<char>(i % 16 < 8 ? 0x40 : 0xC0);
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

struct PlayCall {
  std::string sound;
  HMODULE module;
  DWORD flags;
};

TEST(Win32Sound, PlaysTheFileByNameAsynchronouslyWithTheDefaultSoundAsFallback) {
  std::vector<PlayCall> calls;
  Win32Sound sound([&](const char* name, HMODULE module, DWORD flags) { calls.push_back({name, module, flags}); });
  sound.PlayFileAsync("Pop.wav");
  sound.PlayFileAsync("C:\\no\\such\\sound.wav");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].sound, "Pop.wav");  // unchanged: resolved against the current folder
  EXPECT_EQ(calls[1].sound, "C:\\no\\such\\sound.wav");
  for (const auto& call : calls) {
    EXPECT_EQ(call.module, nullptr);
    EXPECT_TRUE(call.flags & SND_ASYNC) << "the scan and the Test button must not wait for the sound";
    EXPECT_TRUE(call.flags & SND_FILENAME);
    EXPECT_FALSE(call.flags & SND_NODEFAULT) << "a missing file must still give the default sound";
    EXPECT_EQ(call.flags, static_cast<DWORD>(SND_FILENAME | SND_ASYNC)) << "nothing else, such as looping";
  }
}

TEST(Win32Sound, TheRealPlayerTakesAWaveAgainAndAMissingFile) {
  const std::string tone = WriteTone();
  Win32Sound sound;
  sound.PlayFileAsync(tone);
  sound.PlayFileAsync(tone);  // cuts off the first
  sound.PlayFileAsync("C:\\no\\such\\sound.wav");
  PlaySoundA(nullptr, nullptr, 0);  // stop before deleting the file
  EXPECT_TRUE(DeleteFileA(tone.c_str()));
}

}  // namespace
}  // namespace vandrel
