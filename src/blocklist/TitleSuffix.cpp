#include "blocklist/TitleSuffix.h"

namespace vandrel {

std::string TitleSuffixFor(const std::string* configuredWindowTitle) {
  return configuredWindowTitle ? "- " + *configuredWindowTitle : kDefaultTitleSuffix;
}

std::string_view TitlePart(std::string_view title, std::string_view suffix) {
  const auto at = title.find(suffix);
  if (at == std::string_view::npos || at < 2) return {};
  return title.substr(0, at - 1);
}

}  // namespace vandrel
