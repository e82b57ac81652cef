// A browser frame's title as the tray menu hands it to the block list:
// blanks and control characters trimmed from both ends, nothing else
// changed; and the caption that shows it, which the menu reads back as
// the same text ('&' doubled, no accelerator).
#include <algorithm>

#include "FuzzCheck.h"
#include "app/MenuCaption.h"
#include "blocklist/TitleEntry.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The text a menu shows for a caption: "&&" is one '&', a lone '&' marks
// the next letter and is not shown.
std::string ShownText(std::string_view caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;
    shown += caption[i];
  }
  return shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view title = fuzz::AsText(data, size);
  const std::string trimmed = TrimmedTitle(title);
  Require(title.find(trimmed) != std::string_view::npos, "the trimmed title is a part of the title");
  if (!trimmed.empty()) {
    Require(!IsBlankOrControl(trimmed.front()) && !IsBlankOrControl(trimmed.back()), "trimmed at both ends");
    const auto firstKept = std::find_if_not(title.begin(), title.end(), IsBlankOrControl);
    const std::size_t first = static_cast<std::size_t>(firstKept - title.begin());
    Require(title.compare(first, trimmed.size(), trimmed) == 0, "and only there");
  } else {
    Require(std::all_of(title.begin(), title.end(), IsBlankOrControl), "empty only when nothing is left");
  }
  Require(ShownText(LiteralCaption(title)) == title, "the menu shows the title as it is");
  return 0;
}
