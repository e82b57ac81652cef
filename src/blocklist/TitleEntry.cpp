#include "blocklist/TitleEntry.h"

#include "blocklist/BlockList.h"
#include "blocklist/TitleSuffix.h"
#include "platform/BrowserFrames.h"

namespace vandrel {
namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string TrimmedTitle(std::string_view title) {
  std::size_t begin = 0;
  std::size_t end = title.size();
  while (begin < end && IsBlankOrControl(title[begin])) ++begin;
  while (end > begin && IsBlankOrControl(title[end - 1])) --end;
  return std::string(title.substr(begin, end - begin));
}

TitleEntry EntryOfTitle(std::string_view title, std::string_view suffix, const LeadByteTable& leadBytes) {
  using Outcome = TitleEntry::Outcome;
  const std::string trimmed = TrimmedTitle(title);
  const auto suffixAt = TitleSuffixAt(trimmed, suffix, leadBytes);
  if (suffixAt == 0 || trimmed.find(kBlankPage) != std::string::npos) return {Outcome::NoTitle, {}};
  if (suffixAt == std::string::npos) return {Outcome::NoSuffix, {}};
  const std::string_view part = TitlePart(trimmed, suffix, leadBytes);
  if (TooShortForEntry(part)) return {Outcome::TooShort, {}};
  return {Outcome::Entry, std::string(part)};
}

}  // namespace vandrel
