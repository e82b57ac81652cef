#include "platform/memory/MemoryUrlCache.h"

#include <algorithm>
#include <string_view>

namespace vandrel {

namespace {

constexpr std::string_view kContainerPrefixes[] = {"Cookie:", "Visited:"};

bool StartsWith(const std::string& text, std::string_view prefix) {
  return std::string_view(text).substr(0, prefix.size()) == prefix;
}

// The container that a pattern names: all of them, one prefix, or (the
// empty pattern) the pages, which have no prefix.
bool InContainer(const UrlCachePattern& pattern, const std::string& url) {
  if (!pattern) return true;
  if (!pattern->empty()) return StartsWith(url, *pattern);
  return std::none_of(std::begin(kContainerPrefixes), std::end(kContainerPrefixes),
                      [&](std::string_view prefix) { return StartsWith(url, prefix); });
}

constexpr std::uint32_t kEveryType = 0xFFFFFFFF;

}  // namespace

void MemoryUrlCache::Add(const std::string& sourceUrl, std::uint32_t entryType, const std::string& localFileName) {
  UrlCacheEntry entry;
  entry.sourceUrl = sourceUrl;
  entry.entryType = entryType;
  entry.localFileName = localFileName;
  entries_.push_back(entry);
}

const UrlCacheEntry* MemoryUrlCache::Entry(const std::string& sourceUrl) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const UrlCacheEntry& entry) { return entry.sourceUrl == sourceUrl; });
  return found == entries_.end() ? nullptr : &*found;
}

bool MemoryUrlCache::Contains(const std::string& sourceUrl) const { return Entry(sourceUrl) != nullptr; }

std::vector<std::string> MemoryUrlCache::Urls() const {
  std::vector<std::string> urls;
  for (const UrlCacheEntry& entry : entries_) urls.push_back(entry.sourceUrl);
  return urls;
}

std::uint32_t MemoryUrlCache::RecordSize(const std::string& sourceUrl) {
  return 80 + static_cast<std::uint32_t>(sourceUrl.size()) + 1;
}

bool MemoryUrlCache::LibraryPresent() {
  ++libraryChecks;
  return libraryPresent;
}

std::uint32_t MemoryUrlCache::Start(const UrlCachePattern& pattern, std::uint32_t filter, std::uint32_t& bufferSize,
                                    UrlCacheEntry& entry, UrlCacheFind& find) {
  Walk walk;
  for (const UrlCacheEntry& candidate : entries_) {
    if (InContainer(pattern, candidate.sourceUrl) && (candidate.entryType & filter) != 0) {
      walk.pending.push_back(candidate.sourceUrl);
    }
  }
  const UrlCacheFind handle = nextFind_++;
  walks_[handle] = walk;
  const std::uint32_t error = Next(handle, bufferSize, entry);
  // A first call that fails (also for a larger buffer) hands out no handle.
  if (error != kUrlCacheSuccess) {
    walks_.erase(handle);
    return error;
  }
  find = handle;
  return error;
}

std::uint32_t MemoryUrlCache::Next(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) {
  offeredSizes.push_back(bufferSize);
  const auto walk = walks_.find(find);
  if (walk == walks_.end()) return 6;  // ERROR_INVALID_HANDLE
  auto& pending = walk->second.pending;
  // Entries deleted since the walk began are not handed out.
  while (!pending.empty() && !Contains(pending.front())) pending.erase(pending.begin());
  if (pending.empty()) return kUrlCacheNoMoreItems;
  const std::uint32_t needed = RecordSize(pending.front());
  if (bufferSize < needed) {
    bufferSize = needed;
    return kUrlCacheInsufficientBuffer;
  }
  entry = *Entry(pending.front());
  pending.erase(pending.begin());
  return kUrlCacheSuccess;
}

std::uint32_t MemoryUrlCache::FindFirstEx(const UrlCachePattern& pattern, std::uint32_t filter, std::int64_t,
                                          std::uint32_t& bufferSize, UrlCacheEntry& entry, UrlCacheFind& find) {
  extendedPatterns.push_back(pattern);
  extendedFilters.push_back(filter);
  if (extendedIsStub) return kUrlCacheFileNotFound;
  return Start(pattern, filter, bufferSize, entry, find);
}

std::uint32_t MemoryUrlCache::FindNextEx(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) {
  ++nextCalls;
  if (failingNext != 0) return failingNext;
  return Next(find, bufferSize, entry);
}

std::uint32_t MemoryUrlCache::FindFirst(const UrlCachePattern& pattern, std::uint32_t& bufferSize, UrlCacheEntry& entry,
                                        UrlCacheFind& find) {
  return Start(plainIgnoresPattern ? std::nullopt : pattern, kEveryType, bufferSize, entry, find);
}

std::uint32_t MemoryUrlCache::FindNext(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) {
  return FindNextEx(find, bufferSize, entry);
}

std::uint32_t MemoryUrlCache::DeleteEntry(const std::string& sourceUrl) {
  ++deleteCalls;
  const auto failing = failingDeletes.find(sourceUrl);
  if (failing != failingDeletes.end()) return failing->second;
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const UrlCacheEntry& entry) { return entry.sourceUrl == sourceUrl; });
  if (found == entries_.end()) return kUrlCacheFileNotFound;
  entries_.erase(found);
  return kUrlCacheSuccess;
}

std::uint32_t MemoryUrlCache::FindClose(UrlCacheFind find) {
  closed.push_back(find);
  if (walks_.erase(find) == 0) return 6;  // ERROR_INVALID_HANDLE
  return kUrlCacheSuccess;
}

}  // namespace vandrel
