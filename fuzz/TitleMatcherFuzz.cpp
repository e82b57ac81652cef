// The scan's matching of block list entries in window titles, against a
// plain search of each upper-cased entry that keeps to whole characters; and
// the page title taken from a frame's title; in code pages 1252 and 932.
// Input: its first byte separates the entries, the last part is the title.
#include <algorithm>

#include "FuzzCheck.h"
#include "blocklist/TitleMatcher.h"
#include "blocklist/TitleSuffix.h"
#include "platform/AnsiCodePage.h"
#include "platform/memory/MemorySystemInfo.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

void CheckIn(unsigned codePageNumber, const std::vector<std::string>& entries, const std::string& title) {
  const AnsiCodePage codePage(UpperCasingOfCodePage(codePageNumber), LeadBytesOfCodePage(codePageNumber));
  const LeadByteTable& leadBytes = codePage.LeadBytes();
  const TitleMatcher matcher(entries, codePage);
  std::vector<std::uint32_t> found;
  matcher.FindAll(title, found);
  std::vector<std::uint32_t> expected;
  const std::string upperTitle = codePage.UpperCased(title);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].empty() &&
        FindCharacters(upperTitle, codePage.UpperCased(entries[i]), leadBytes) != std::string::npos) {
      expected.push_back(static_cast<std::uint32_t>(i));
    }
  }
  Require(found == expected, "every entry found in the title, once, in order");

  const std::string suffix = entries.empty() ? std::string(kDefaultTitleSuffix) : entries.front();
  const std::string_view part = TitlePart(title, suffix, leadBytes);
  if (!part.empty()) {
    Require(title.starts_with(part), "the page title starts the frame's title");
    Require(TitleSuffixAt(title, suffix, leadBytes) == part.size() + CharacterSizeAt(title, part.size(), leadBytes),
            "and ends one character before the first suffix");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input = fuzz::AsText(data, size);
  std::vector<std::string> entries = fuzz::SplitAt(input.substr(1), input[0]);
  const std::string title = std::move(entries.back());
  entries.pop_back();

  for (const unsigned codePage : {1252u, 932u}) CheckIn(codePage, entries, title);
  return 0;
}
