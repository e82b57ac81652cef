#include "blocklist/TitleSuffix.h"

#include "platform/AnsiCodePage.h"

namespace vandrel {

std::string TitleSuffixFor(const std::string* configuredWindowTitle) {
  return configuredWindowTitle ? "- " + *configuredWindowTitle : kDefaultTitleSuffix;
}

std::size_t TitleSuffixAt(std::string_view title, std::string_view suffix, const LeadByteTable& leadBytes) {
  return FindCharacters(title, suffix, leadBytes);
}

std::string_view TitlePart(std::string_view title, std::string_view suffix, const LeadByteTable& leadBytes) {
  const auto at = TitleSuffixAt(title, suffix, leadBytes);
  if (at == std::string_view::npos) return {};
  // The part ends where the last character before the suffix begins.
  std::size_t end = 0;
  for (std::size_t next = 0; next < at; next += CharacterSizeAt(title, next, leadBytes)) end = next;
  return title.substr(0, end);
}

}  // namespace vandrel
