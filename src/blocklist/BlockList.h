#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "blocklist/TitleMatcher.h"
#include "platform/SystemInfo.h"

namespace vandrel {

// The block list's entries in list order, and the matcher the scan uses on
// them, rebuilt only when the entries change.
class BlockList {
 public:
  explicit BlockList(const UpperCaseTable& upper) : upper_(upper) {}

  void Assign(std::vector<std::string> entries);
  const std::vector<std::string>& Entries() const { return entries_; }
  std::size_t Count() const { return entries_.size(); }
  const std::string& Entry(std::size_t index) const { return entries_[index]; }

  const TitleMatcher& Matcher() const;

 private:
  UpperCaseTable upper_;
  std::vector<std::string> entries_;
  mutable TitleMatcher matcher_;
  mutable bool matcherStale_ = false;
};

}  // namespace vandrel
