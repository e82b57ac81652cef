#include "platform/win32/Win32TextCollation.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace vandrel {
namespace {

// The API takes int lengths; no block list entry comes near the limit.
int LengthOf(std::string_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)); }

}  // namespace

int Win32TextCollation::Compare(std::string_view a, std::string_view b) const {
  const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), LengthOf(a), b.data(), LengthOf(b));
  if (result == 0) return a.compare(b);  // the call failed: keep some total order
  return result - CSTR_EQUAL;
}

std::string Win32TextCollation::SortKey(std::string_view text) const {
  // An empty text has the empty key, which sorts first as the empty text does.
  if (text.empty()) return {};
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  // Most keys fit the first buffer, which saves asking for the size first.
  std::string key(text.size() * 4 + 32, '\0');
  int written = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.data(), LengthOf(text), key.data(),
                             static_cast<int>(std::min<std::size_t>(key.size(), INT_MAX)));
  if (written <= 0) {
    const int size = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.data(), LengthOf(text), nullptr, 0);
    if (size <= 0) return std::string(text);
    key.assign(static_cast<std::size_t>(size), '\0');
    written = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.data(), LengthOf(text), key.data(), size);
  }
  key.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  // The key ends in a NUL that only terminates it.
  if (!key.empty() && key.back() == '\0') key.pop_back();
  return key;
}

}  // namespace vandrel
