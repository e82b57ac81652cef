#pragma once
#include <windows.h>

#include <functional>

#include "platform/Sound.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {

// Wave files through winmm's PlaySound, never waiting for the sound to end.
// winmm is loaded at the first sound.
class Win32Sound : public Sound {
 public:
  // PlaySoundA's parameters: the sound, its module, the flags.
  using PlayCall = std::function<void(const char*, HMODULE, DWORD)>;

  // Plays through PlaySoundA, or through the given call (a test records the
  // flags, which no sound device shows).
  Win32Sound();
  explicit Win32Sound(PlayCall play) : play_(std::move(play)) {}
  Win32Sound(const Win32Sound&) = delete;
  Win32Sound& operator=(const Win32Sound&) = delete;

  void PlayFileAsync(const std::string& fileName) override;

 private:
  LateLibrary winmm_{"winmm.dll"};
  PlayCall play_;
};

}  // namespace vandrel
