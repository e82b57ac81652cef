#include "platform/OperatingSystem.h"

namespace vandrel {

int GetOperatingSystem(const std::optional<VersionRecord>& version) {
  if (!version) return -1;
  const auto [major, minor, build, platform, servicePack] = *version;
  (void)build;
  if (platform == 1) {
    if (major == 4 && minor == 0) return 0;
    if (major == 4 && minor == 10) return (servicePack.size() > 1 && servicePack[1] == 'A') ? 2 : 1;
    if (major == 4 && minor == 90) return 3;
    return -1;
  }
  if (platform == 2) {
    if (major <= 4) return 4;
    if (major == 5 && minor == 0) return 5;
    if (major == 5 && minor == 1) return 6;
    if (major == 5 && minor == 2) return 7;
    if (major == 6 && minor == 0) return 8;
  }
  return -1;
}

}  // namespace vandrel
