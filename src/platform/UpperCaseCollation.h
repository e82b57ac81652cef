#pragma once
#include "platform/AnsiCodePage.h"
#include "platform/TextCollation.h"

namespace vandrel {

// Orders texts by their bytes after upper-casing in a code page: the plain
// order without the locale's finer rules (accents sort by code, not beside
// their base letters). Serves tests, and lists built without the system's
// collation.
class UpperCaseCollation : public TextCollation {
 public:
  explicit UpperCaseCollation(const AnsiCodePage& codePage) : codePage_(codePage) {}

  int Compare(std::string_view a, std::string_view b) const override { return codePage_.CompareIgnoringCase(a, b); }
  std::string SortKey(std::string_view text) const override { return codePage_.UpperCased(text); }

 private:
  AnsiCodePage codePage_;
};

}  // namespace vandrel
