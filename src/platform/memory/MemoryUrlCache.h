#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/UrlCache.h"

namespace vandrel {

// The URL cache in memory: entries in the order added, containers told by
// the URL's prefix, the extended enumeration optionally a stub (as Wine has
// it), failures scripted by error code, and a log of what was asked.
class MemoryUrlCache : public UrlCache {
 public:
  void Add(const std::string& sourceUrl, std::uint32_t entryType, const std::string& localFileName = {});
  bool Contains(const std::string& sourceUrl) const;
  std::vector<std::string> Urls() const;

  // The size an entry's record needs, as the two-call pattern learns it.
  static std::uint32_t RecordSize(const std::string& sourceUrl);

  bool libraryPresent = true;
  int libraryChecks = 0;
  // The extended first call answers "not found" whatever the cache holds.
  bool extendedIsStub = false;
  // The plain walk hands out every container's entries whatever the pattern.
  bool plainIgnoresPattern = false;
  // Deletes of these URLs fail with the code given.
  std::map<std::string, std::uint32_t> failingDeletes;
  // Every ask for a next entry fails with this code (0: none).
  std::uint32_t failingNext = 0;

  // What was asked: the buffer sizes offered, the patterns and filters of
  // the extended first calls, deletes, and the handles closed.
  std::vector<std::uint32_t> offeredSizes;
  std::vector<UrlCachePattern> extendedPatterns;
  std::vector<std::uint32_t> extendedFilters;
  int deleteCalls = 0;
  int nextCalls = 0;
  std::vector<UrlCacheFind> closed;
  std::size_t OpenFinds() const { return walks_.size(); }

  bool LibraryPresent() override;
  std::uint32_t FindFirstEx(const UrlCachePattern& pattern, std::uint32_t filter, std::int64_t group,
                            std::uint32_t& bufferSize, UrlCacheEntry& entry, UrlCacheFind& find) override;
  std::uint32_t FindNextEx(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) override;
  std::uint32_t FindFirst(const UrlCachePattern& pattern, std::uint32_t& bufferSize, UrlCacheEntry& entry,
                          UrlCacheFind& find) override;
  std::uint32_t FindNext(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) override;
  std::uint32_t DeleteEntry(const std::string& sourceUrl) override;
  std::uint32_t FindClose(UrlCacheFind find) override;

 private:
  // The URLs that an enumeration will still hand out, in order.
  struct Walk {
    std::vector<std::string> pending;
  };

  std::uint32_t Start(const UrlCachePattern& pattern, std::uint32_t filter, std::uint32_t& bufferSize,
                      UrlCacheEntry& entry, UrlCacheFind& find);
  std::uint32_t Next(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry);
  const UrlCacheEntry* Entry(const std::string& sourceUrl) const;

  std::vector<UrlCacheEntry> entries_;
  std::map<UrlCacheFind, Walk> walks_;
  UrlCacheFind nextFind_ = 1;
};

}  // namespace vandrel
