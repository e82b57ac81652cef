#pragma once
#include "platform/Sound.h"

namespace vandrel {

// Wave files through winmm's PlaySound, never waiting for the sound to end.
class Win32Sound : public Sound {
 public:
  void PlayFileAsync(const std::string& fileName) override;
};

}  // namespace vandrel
