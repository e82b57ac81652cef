#include "platform/PlatformError.h"

namespace vandrel {

std::string FormatMessageText(const std::string& pattern, const std::string& value) {
  const auto at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

}  // namespace vandrel
