// The scan's matching of block list entries in window titles, against a
// plain search of each upper-cased entry; and the page title taken from a
// frame's title. Input: its first byte separates the entries, the last part
// is the title.
#include <algorithm>

#include "FuzzCheck.h"
#include "blocklist/TitleMatcher.h"
#include "blocklist/TitleSuffix.h"
#include "platform/memory/MemorySystemInfo.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

std::string UpperCased(std::string_view text, const UpperCaseTable& upper) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(upper[static_cast<unsigned char>(c)]);
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input = fuzz::AsText(data, size);
  std::vector<std::string> entries = fuzz::SplitAt(input.substr(1), input[0]);
  const std::string title = std::move(entries.back());
  entries.pop_back();

  const UpperCaseTable upper = MemorySystemInfo().UpperCasing();
  const TitleMatcher matcher(entries, upper);
  std::vector<std::uint32_t> found;
  matcher.FindAll(title, found);
  std::vector<std::uint32_t> expected;
  const std::string upperTitle = UpperCased(title, upper);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].empty() && upperTitle.find(UpperCased(entries[i], upper)) != std::string::npos) {
      expected.push_back(static_cast<std::uint32_t>(i));
    }
  }
  Require(found == expected, "every entry found in the title, once, in order");

  const std::string suffix = entries.empty() ? std::string(kDefaultTitleSuffix) : entries.front();
  const std::string_view part = TitlePart(title, suffix);
  if (!part.empty()) {
    Require(title.starts_with(part), "the page title starts the frame's title");
    Require(title.find(suffix) == part.size() + 1, "and ends one character before the first suffix");
  }
  return 0;
}
