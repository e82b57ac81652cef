#include "platform/UpperCaseCollation.h"

#include <algorithm>

namespace vandrel {

int UpperCaseCollation::Compare(std::string_view a, std::string_view b) const {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int left = upper_[static_cast<unsigned char>(a[i])];
    const int right = upper_[static_cast<unsigned char>(b[i])];
    if (left != right) return left - right;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string UpperCaseCollation::SortKey(std::string_view text) const {
  std::string key(text);
  for (char& c : key) c = static_cast<char>(upper_[static_cast<unsigned char>(c)]);
  return key;
}

}  // namespace vandrel
