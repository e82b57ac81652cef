// A browser frame's caption as the tray menu hands it to the block list:
// the first '&' gone, blanks and control characters trimmed from both ends,
// nothing else changed.
#include <algorithm>

#include "FuzzCheck.h"
#include "app/TrayMenus.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view caption = fuzz::AsText(data, size);
  const std::string cleaned = CleanedCaption(caption);

  std::string unmarked(caption);
  if (const auto amp = unmarked.find('&'); amp != std::string::npos) unmarked.erase(amp, 1);
  Require(unmarked.find(cleaned) != std::string::npos, "the cleaned caption is a part of the caption");
  if (!cleaned.empty()) {
    Require(!IsBlankOrControl(cleaned.front()) && !IsBlankOrControl(cleaned.back()), "trimmed at both ends");
    const auto firstKept = std::find_if_not(unmarked.begin(), unmarked.end(), IsBlankOrControl);
    const std::size_t first = static_cast<std::size_t>(firstKept - unmarked.begin());
    Require(unmarked.compare(first, cleaned.size(), cleaned) == 0, "and only there");
  } else {
    Require(std::all_of(unmarked.begin(), unmarked.end(), IsBlankOrControl), "empty only when nothing is left");
  }
  return 0;
}
