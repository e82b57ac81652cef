#pragma once
#include <algorithm>
#include <string_view>

namespace vandrel {

// Case of the ASCII letters alone, as addresses, schemes and path names
// compare: no code page's rules.
inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

inline bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace vandrel
