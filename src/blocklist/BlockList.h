#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "blocklist/TitleMatcher.h"
#include "platform/AnsiCodePage.h"
#include "platform/TextCollation.h"
#include "platform/UpperCaseCollation.h"

namespace vandrel {

// Every add of an entry, typed or taken from a window's title, refuses one
// shorter than this: a two-letter entry such as "Ad" would close every page
// whose title holds those letters anywhere ("Headlines").
inline constexpr const char* kKeywordTooShort = "The keyword size should be at least 3 characters!";
inline constexpr std::size_t kMinKeywordLength = 3;
inline bool TooShortForEntry(std::string_view text) { return text.size() < kMinKeywordLength; }

// The block list's entries, always in ascending order of the collation (the
// order of a sorted list box), and the matcher the scan uses on them,
// rebuilt only when the entries change. An entry that sorts together with
// others goes after them, so loading many at once gives the same order as
// adding them one by one.
class BlockList {
 public:
  // `collation` must outlive the list.
  BlockList(const AnsiCodePage& codePage, const TextCollation& collation)
      : codePage_(codePage), collation_(&collation) {}
  // Orders by the upper-cased bytes alone, for lists that do without the
  // locale's rules.
  explicit BlockList(const AnsiCodePage& codePage)
      : codePage_(codePage), fallbackCollation_(codePage), collation_(&fallbackCollation_) {}

  BlockList(const BlockList&) = delete;
  BlockList& operator=(const BlockList&) = delete;

  std::size_t Count() const { return entries_.size(); }
  const std::string& Entry(std::size_t index) const { return entries_[index]; }
  const std::vector<std::string>& Entries() const { return entries_; }

  // The index of the first entry equal to `text` ignoring case (whole
  // entries: 'Ads' is 'ADS' but not 'Ads '), or -1.
  int IndexOf(std::string_view text) const;

  // Inserts at the entry's place in the order, without looking for a
  // duplicate. Returns the index it got.
  std::size_t Add(std::string entry);
  // Adds them all as Add would one by one, in their order, without the
  // duplicate lookup: one sort, for loading a whole file.
  void AddAll(std::vector<std::string> entries);
  // Adds each candidate, in order, that IndexOf would not find in the list
  // as it stands at that moment (so also not among the candidates added
  // before it). Returns how many were added.
  std::size_t AddMissing(const std::vector<std::string>& candidates);
  // Does nothing when the index is out of range.
  void Delete(std::size_t index);
  // Replaces every entry by these, sorted.
  void Assign(std::vector<std::string> entries);

  const TitleMatcher& Matcher() const;
  // The code page its entries and the titles they match are in.
  const AnsiCodePage& CodePage() const { return codePage_; }

 private:
  void Changed() { matcherStale_ = true; }

  AnsiCodePage codePage_;
  UpperCaseCollation fallbackCollation_{codePage_};
  const TextCollation* collation_;
  std::vector<std::string> entries_;
  mutable TitleMatcher matcher_;
  mutable bool matcherStale_ = false;
};

}  // namespace vandrel
