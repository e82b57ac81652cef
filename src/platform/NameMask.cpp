#include "platform/NameMask.h"

namespace vandrel {
namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Left to right with one way back: when a character fails, the latest star
// takes one more character of the name. Giving an earlier star more never
// helps, so this costs name x mask at most, however many stars there are
// (trying every split of the name between the stars is exponential).
bool MatchFrom(std::string_view name, std::string_view mask) {
  constexpr std::size_t kNoStar = std::string_view::npos;
  std::size_t n = 0, m = 0;
  std::size_t starAt = kNoStar, nameAtStar = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starAt = m++;
      nameAtStar = n;
    } else if (m < mask.size() && (mask[m] == '?' || UpperAscii(mask[m]) == UpperAscii(name[n]))) {
      ++m;
      ++n;
    } else if (starAt != kNoStar) {
      m = starAt + 1;
      n = ++nameAtStar;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesEverything(std::string_view mask) { return mask.find_first_not_of("*?.") == std::string_view::npos; }

bool IsSingleFolderMask(std::string_view mask) {
  return !mask.empty() && mask.find_first_of("\\/:") == std::string_view::npos && mask != "." && mask != "..";
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" && name.find('.') == std::string_view::npos) {
    return MatchFrom(name, mask.substr(0, mask.size() - 2));
  }
  return MatchFrom(name, mask);
}

bool IsDesktopIni(std::string_view name) { return MatchFrom(name, "desktop.ini"); }

bool KeptNames::Keeps(std::string_view name, bool isFolder) const {
  if (desktopIni && !isFolder && IsDesktopIni(name)) return true;
  for (const std::string& kept : names) {
    if (kept.find_first_of("*?") == std::string::npos && MatchFrom(name, kept)) return true;
  }
  return false;
}

}  // namespace vandrel
