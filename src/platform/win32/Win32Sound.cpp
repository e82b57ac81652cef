#include "platform/win32/Win32Sound.h"

#include <windows.h>
// mmsystem.h needs windows.h first.
#include <mmsystem.h>

namespace vandrel {

void Win32Sound::PlayFileAsync(const std::string& fileName) {
  PlaySoundA(fileName.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace vandrel
