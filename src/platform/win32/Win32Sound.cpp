#include "platform/win32/Win32Sound.h"

// mmsystem.h needs windows.h first.
#include <mmsystem.h>

namespace vandrel {

Win32Sound::Win32Sound()
    : play_([this](const char* sound, HMODULE module, DWORD flags) {
        using PlayFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
        if (const auto play = winmm_.Find<PlayFunction>("PlaySoundA")) play(sound, module, flags);
      }) {}

void Win32Sound::PlayFileAsync(const std::string& fileName) {
  // Without SND_NODEFAULT: a file that cannot be found plays the system's
  // default sound, which the options' Test button relies on.
  play_(fileName.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace vandrel
