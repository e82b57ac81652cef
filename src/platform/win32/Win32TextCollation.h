#pragma once
#include "platform/TextCollation.h"

namespace vandrel {

// The user's locale's order of ANSI texts ignoring case, as a sorted list
// box orders them: CompareStringA, and LCMapStringA sort keys.
class Win32TextCollation : public TextCollation {
 public:
  int Compare(std::string_view a, std::string_view b) const override;
  std::string SortKey(std::string_view text) const override;
};

}  // namespace vandrel
