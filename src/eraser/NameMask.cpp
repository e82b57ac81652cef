#include "eraser/NameMask.h"

namespace vandrel {
namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool MatchFrom(std::string_view name, std::string_view mask) {
  while (!mask.empty()) {
    if (mask.front() == '*') {
      mask.remove_prefix(1);
      for (std::size_t skip = 0; skip <= name.size(); ++skip) {
        if (MatchFrom(name.substr(skip), mask)) return true;
      }
      return false;
    }
    if (name.empty() || (mask.front() != '?' && UpperAscii(mask.front()) != UpperAscii(name.front()))) return false;
    name.remove_prefix(1);
    mask.remove_prefix(1);
  }
  return name.empty();
}

}  // namespace

bool MatchesEverything(std::string_view mask) {
  return mask.find_first_not_of("*?.") == std::string_view::npos;
}

bool IsSingleFolderMask(std::string_view mask) {
  return !mask.empty() && mask.find_first_of("\\/:") == std::string_view::npos && mask != "." &&
         mask != "..";
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" && name.find('.') == std::string_view::npos) {
    return MatchFrom(name, mask.substr(0, mask.size() - 2));
  }
  return MatchFrom(name, mask);
}

bool IsDesktopIni(std::string_view name) { return MatchFrom(name, "desktop.ini"); }

}  // namespace vandrel
