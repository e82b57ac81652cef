#pragma once
#include <string>
#include <string_view>

namespace vandrel {

// The order of a sorted list box: ascending, case ignored, by the rules of
// the user's locale.
class TextCollation {
 public:
  virtual ~TextCollation() = default;

  // Negative, zero or positive as `a` sorts before, together with or after `b`.
  virtual int Compare(std::string_view a, std::string_view b) const = 0;
  // A key whose plain byte order (std::string's) is the order of Compare, so
  // many texts can be sorted with one key each instead of many comparisons.
  virtual std::string SortKey(std::string_view text) const = 0;
};

}  // namespace vandrel
