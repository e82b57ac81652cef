#pragma once
#include <windows.h>

#include <functional>

#include "platform/Sound.h"

namespace vandrel {

// Wave files through winmm's PlaySound, never waiting for the sound to end.
class Win32Sound : public Sound {
 public:
  // PlaySoundA's parameters: the sound, its module, the flags.
  using PlayCall = std::function<void(const char*, HMODULE, DWORD)>;

  // Plays through PlaySoundA, or through the given call (a test records the
  // flags, which no sound device shows).
  Win32Sound();
  explicit Win32Sound(PlayCall play) : play_(std::move(play)) {}

  void PlayFileAsync(const std::string& fileName) override;

 private:
  PlayCall play_;
};

}  // namespace vandrel
