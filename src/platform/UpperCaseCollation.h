#pragma once
#include "platform/SystemInfo.h"
#include "platform/TextCollation.h"

namespace vandrel {

// Orders texts by their bytes after upper-casing with a given table: the
// plain order without the locale's finer rules (accents sort by code, not
// beside their base letters). Serves tests, and lists built without the
// system's collation.
class UpperCaseCollation : public TextCollation {
 public:
  explicit UpperCaseCollation(const UpperCaseTable& upper) : upper_(upper) {}

  int Compare(std::string_view a, std::string_view b) const override;
  std::string SortKey(std::string_view text) const override;

 private:
  UpperCaseTable upper_;
};

}  // namespace vandrel
