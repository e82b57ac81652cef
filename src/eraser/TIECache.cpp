#include "eraser/TIECache.h"

#include <string_view>
#include <utility>

#include "platform/ScopeExit.h"

namespace vandrel {

namespace {

constexpr std::string_view kCookiePrefix = "Cookie:";
constexpr std::string_view kHistoryPrefix = "Visited:";

bool StartsWith(const std::string& text, std::string_view prefix) {
  return std::string_view(text).substr(0, prefix.size()) == prefix;
}

}  // namespace

std::uint32_t FilterFlag(TFilterOption option) {
  switch (option) {
    case TFilterOption::NORMAL_ENTRY: return 0x1;
    case TFilterOption::STABLE_ENTRY: return 0x2;
    case TFilterOption::STICKY_ENTRY: return 0x4;
    case TFilterOption::COOKIE_ENTRY: return 0x100000;
    case TFilterOption::URLHISTORY_ENTRY: return 0x200000;
    case TFilterOption::TRACK_OFFLINE_ENTRY: return 0x10;
    case TFilterOption::TRACK_ONLINE_ENTRY: return 0x20;
    case TFilterOption::SPARSE_ENTRY: return 0x10000;
    case TFilterOption::OCX_ENTRY: return 0x20000;
  }
  return 0;
}

std::uint32_t FilterValue(const TFilterOptions& options) {
  std::uint32_t value = 0;
  for (const TFilterOption option : options) value |= FilterFlag(option);
  return value;
}

UrlCachePattern PatternText(TSearchPattern pattern) {
  switch (pattern) {
    case TSearchPattern::spAll: return std::nullopt;
    case TSearchPattern::spCookies: return std::string(kCookiePrefix);
    case TSearchPattern::spHistory: return std::string(kHistoryPrefix);
    case TSearchPattern::spUrl: return std::string();
  }
  return std::nullopt;
}

TIECache::TIECache(UrlCache& cache) : cache_(cache) {
  SetFilterOptions({TFilterOption::NORMAL_ENTRY, TFilterOption::STICKY_ENTRY, TFilterOption::COOKIE_ENTRY,
                    TFilterOption::URLHISTORY_ENTRY, TFilterOption::TRACK_OFFLINE_ENTRY,
                    TFilterOption::TRACK_ONLINE_ENTRY});
}

TIECache::~TIECache() {
  if (find_ != kNoUrlCacheFind) cache_.FindClose(find_);
}

void TIECache::SetFilterOptions(const TFilterOptions& options) {
  filterOptions_ = options;
  filter_ = FilterValue(options);
}

bool TIECache::LibraryFound() {
  if (!libraryFound_) libraryFound_ = cache_.LibraryPresent();
  return libraryFound_;
}

template <typename Ask>
std::uint32_t TIECache::AskTwice(Ask ask) {
  UrlCacheEntry found;
  std::uint32_t bufferSize = 0;
  std::uint32_t error = ask(bufferSize, found);
  // The size is known only from the first answer; the buffer is made for it.
  if (error == kUrlCacheInsufficientBuffer) error = ask(bufferSize, found);
  if (error == kUrlCacheSuccess) entry_ = std::move(found);
  return error;
}

std::uint32_t TIECache::FindFirstEntry(std::int64_t groupId) {
  if (!LibraryFound()) return kUrlCacheFileNotFound;
  CloseFind();
  walk_ = Walk::Extended;
  const UrlCachePattern pattern = PatternText(SearchPattern);
  const std::uint32_t error = AskTwice([&](std::uint32_t& size, UrlCacheEntry& found) {
    return cache_.FindFirstEx(pattern, filter_, groupId, size, found, find_);
  });
  // Some implementations have the extended call only as a stub that answers
  // "not found" with entries present; the plain walk finds them. It knows
  // no groups, so a walk of one group is not widened to the whole cache.
  if (error != kUrlCacheFileNotFound || groupId != 0) return error;
  CloseFind();
  walk_ = Walk::Plain;
  return FindFirstPlain();
}

std::uint32_t TIECache::FindFirstPlain() {
  const UrlCachePattern pattern = PatternText(SearchPattern);
  const std::uint32_t error = AskTwice(
      [&](std::uint32_t& size, UrlCacheEntry& found) { return cache_.FindFirst(pattern, size, found, find_); });
  return SkipToMatchingPlain(error);
}

std::uint32_t TIECache::SkipToMatchingPlain(std::uint32_t error) {
  while (error == kUrlCacheSuccess && !MatchesWalk(entry_)) {
    error = AskTwice([&](std::uint32_t& size, UrlCacheEntry& found) { return cache_.FindNext(find_, size, found); });
  }
  return error;
}

bool TIECache::MatchesWalk(const UrlCacheEntry& entry) const {
  if ((entry.entryType & filter_) == 0) return false;
  switch (SearchPattern) {
    case TSearchPattern::spAll: return true;
    case TSearchPattern::spCookies: return StartsWith(entry.sourceUrl, kCookiePrefix);
    case TSearchPattern::spHistory: return StartsWith(entry.sourceUrl, kHistoryPrefix);
    case TSearchPattern::spUrl:
      return !StartsWith(entry.sourceUrl, kCookiePrefix) && !StartsWith(entry.sourceUrl, kHistoryPrefix);
  }
  return false;
}

std::uint32_t TIECache::FindNextEntry() {
  if (!LibraryFound()) return kUrlCacheFileNotFound;
  if (walk_ == Walk::Plain) {
    return SkipToMatchingPlain(
        AskTwice([&](std::uint32_t& size, UrlCacheEntry& found) { return cache_.FindNext(find_, size, found); }));
  }
  return AskTwice([&](std::uint32_t& size, UrlCacheEntry& found) { return cache_.FindNextEx(find_, size, found); });
}

std::uint32_t TIECache::DeleteEntry(const std::string& url) {
  if (!LibraryFound()) return kUrlCacheSuccess;
  const std::uint32_t error = cache_.DeleteEntry(url);
  if (error == kUrlCacheSuccess) ClearEntry();
  return error;
}

void TIECache::ClearEntry() { entry_ = UrlCacheEntry(); }

void TIECache::CloseFind() {
  if (find_ != kNoUrlCacheFind) cache_.FindClose(std::exchange(find_, kNoUrlCacheFind));
}

void TIECache::DeleteCurrentEntry() {
  const std::string url = entry_.sourceUrl;
  if (url.empty()) return;  // deleted before the last ask failed
  // An entry that cannot be deleted is passed over after a few tries.
  for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
    if (DeleteEntry(url) == kUrlCacheSuccess) return;
  }
}

void TIECache::DeleteAllEntries() {
  if (!LibraryFound()) return;
  // Closed also when the first ask failed and there is no handle, and when
  // the caller ends the walk between two entries.
  const ScopeExit close([this] { cache_.FindClose(std::exchange(find_, kNoUrlCacheFind)); });
  std::uint32_t error = FindFirstEntry(0);
  if (error == kUrlCacheSuccess) {
    // A failed ask for the next entry is repeated, but not for ever.
    int failedAsks = 0;
    while (error != kUrlCacheNoMoreItems) {
      if (error == kUrlCacheSuccess) {
        failedAsks = 0;
        if (!PassesOver || !PassesOver(entry_)) DeleteCurrentEntry();
        if (BetweenEntries) BetweenEntries();
      } else if (++failedAsks == kFindNextAttempts) {
        break;
      }
      error = FindNextEntry();
    }
  }
}

}  // namespace vandrel
