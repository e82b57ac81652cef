#pragma once
#include <vector>

#include "platform/OperatingSystem.h"

namespace vandrel {

// The opacities the main window passes through when the program ends:
// fully opaque, then 250 down to 10 in steps of 10, with pending messages
// run after each. Windows before 2000 have no per-window transparency: no fade.
inline std::vector<int> FadeOutOpacities(int versionCode) {
  std::vector<int> opacities;
  if (versionCode < kWindows2000) return opacities;
  opacities.push_back(255);
  for (int opacity = 250; opacity >= 10; opacity -= 10) opacities.push_back(opacity);
  return opacities;
}

}  // namespace vandrel
