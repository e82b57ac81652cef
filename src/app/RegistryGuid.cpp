#include "app/RegistryGuid.h"

#include <cctype>
#include <cstdio>

namespace vandrel {

std::string RegistryGuidText(const Guid& guid) {
  const auto& d = guid.data4;
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(guid.data1), static_cast<unsigned>(guid.data2), static_cast<unsigned>(guid.data3),
                d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
  return text;
}

bool IsRegistryGuidText(std::string_view text) {
  constexpr std::string_view kShape = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
  if (text.size() != kShape.size()) return false;
  for (std::size_t at = 0; at < kShape.size(); ++at) {
    const bool fits =
        kShape[at] == 'x' ? std::isxdigit(static_cast<unsigned char>(text[at])) != 0 : text[at] == kShape[at];
    if (!fits) return false;
  }
  return true;
}

}  // namespace vandrel
