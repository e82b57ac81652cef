#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "platform/UrlCache.h"

namespace vandrel {

// The cache entry types that an enumeration walks.
enum class TFilterOption {
  NORMAL_ENTRY,
  STABLE_ENTRY,
  STICKY_ENTRY,
  COOKIE_ENTRY,
  URLHISTORY_ENTRY,
  TRACK_OFFLINE_ENTRY,
  TRACK_ONLINE_ENTRY,
  SPARSE_ENTRY,
  OCX_ENTRY,
};
using TFilterOptions = std::set<TFilterOption>;

// The entry-type flag of the cache that an option stands for.
std::uint32_t FilterFlag(TFilterOption option);
// The OR of the options' flags, 0 for none.
std::uint32_t FilterValue(const TFilterOptions& options);

// Which container of the cache an enumeration walks.
enum class TSearchPattern { spAll, spCookies, spHistory, spUrl };

// The pattern handed to the cache: none for spAll, else the prefix.
UrlCachePattern PatternText(TSearchPattern pattern);

// Walks the browser's URL-cache entries and deletes them one by one.
class TIECache {
 public:
  using TOnEntryEvent = std::function<void(TIECache& sender, bool& cancel)>;
  using TOnGroupEvent = std::function<void(TIECache& sender, std::int64_t groupId, bool& cancel)>;

  // How often one entry's delete is tried, and how many failed asks for the
  // next entry in a row end the walk.
  static constexpr int kDeleteAttempts = 3;
  static constexpr int kFindNextAttempts = 3;

  explicit TIECache(UrlCache& cache);
  ~TIECache();
  TIECache(const TIECache&) = delete;
  TIECache& operator=(const TIECache&) = delete;

  const TFilterOptions& FilterOptions() const { return filterOptions_; }
  void SetFilterOptions(const TFilterOptions& options);
  // What is handed to the cache as the entry-type filter.
  std::uint32_t Filter() const { return filter_; }

  TSearchPattern SearchPattern = TSearchPattern::spAll;
  // Declared for the callers; no operation here raises them.
  TOnEntryEvent OnEntry;
  TOnGroupEvent OnGroup;
  // Runs after each entry of DeleteAllEntries, so the caller's windows keep
  // working during a long walk (and a quit is seen there); may throw to end
  // the walk, whose enumeration is closed then.
  std::function<void()> BetweenEntries;
  // An entry DeleteAllEntries finds and this answers yes for stays.
  std::function<bool(const UrlCacheEntry&)> PassesOver;

  // The library with its functions is present; a yes is kept, a no is asked
  // again at the next use.
  bool LibraryFound();

  // 0 on success (the entry is the current one), 2 without the library,
  // else the cache's error code.
  std::uint32_t FindFirstEntry(std::int64_t groupId);
  // As FindFirstEntry; 259 at the end of the walk.
  std::uint32_t FindNextEntry();
  // 0 when deleted (the current entry is emptied) or without the library.
  std::uint32_t DeleteEntry(const std::string& url);
  void ClearEntry();
  // Deletes every entry of the pattern's container and the filter's types
  // but those PassesOver keeps.
  void DeleteAllEntries();

  const UrlCacheEntry& CurrentEntry() const { return entry_; }
  const std::string& SourceUrl() const { return entry_.sourceUrl; }

 private:
  enum class Walk { Extended, Plain };

  // One ask with no buffer for the size, one with a buffer of that size.
  template <typename Ask>
  std::uint32_t AskTwice(Ask ask);
  std::uint32_t FindFirstPlain();
  // Asks for plain entries until one of the walk's container and types.
  std::uint32_t SkipToMatchingPlain(std::uint32_t error);
  bool MatchesWalk(const UrlCacheEntry& entry) const;
  void DeleteCurrentEntry();
  void CloseFind();

  UrlCache& cache_;
  bool libraryFound_ = false;
  TFilterOptions filterOptions_;
  std::uint32_t filter_ = 0;
  UrlCacheFind find_ = kNoUrlCacheFind;
  Walk walk_ = Walk::Extended;
  UrlCacheEntry entry_;
};

}  // namespace vandrel
