#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vandrel {

// An open enumeration of the URL cache, opaque to the logic; 0 is none.
using UrlCacheFind = std::uintptr_t;
inline constexpr UrlCacheFind kNoUrlCacheFind = 0;

// Error codes of the URL cache that the logic reacts to.
inline constexpr std::uint32_t kUrlCacheSuccess = 0;
inline constexpr std::uint32_t kUrlCacheFileNotFound = 2;
inline constexpr std::uint32_t kUrlCacheInsufficientBuffer = 122;
inline constexpr std::uint32_t kUrlCacheProcNotFound = 127;
inline constexpr std::uint32_t kUrlCacheNoMoreItems = 259;

// A file time as the platform keeps it: 100 ns units since 1601, UTC.
using UrlCacheFileTime = std::uint64_t;

// One entry of the URL cache; the record owns its texts.
struct UrlCacheEntry {
  std::string sourceUrl;
  std::string localFileName;
  std::uint32_t entryType = 0;
  std::uint32_t useCount = 0;
  std::uint32_t hitRate = 0;
  std::uint64_t fileSize = 0;
  UrlCacheFileTime lastModified = 0;
  UrlCacheFileTime expire = 0;
  UrlCacheFileTime lastAccess = 0;
  UrlCacheFileTime lastSync = 0;
  std::string headerInfo;
  std::string fileExtension;
  std::uint32_t exemptDelta = 0;
};

// The search pattern of an enumeration: nothing stands for the null pointer
// (every container), a text for that container's prefix ("" the pages).
using UrlCachePattern = std::optional<std::string>;

// The raw URL-cache calls of the browser's networking library, one platform
// call per operation. Every operation answers with the platform's error code
// (0 on success) and throws nothing.
//
// The enumeration calls take the size of the buffer that the caller offers
// in `bufferSize`: when it is too small they answer
// kUrlCacheInsufficientBuffer and set `bufferSize` to the size needed; on
// success they fill `entry`. A find handle is the caller's to close, also
// when the first call failed (then it is kNoUrlCacheFind).
class UrlCache {
 public:
  virtual ~UrlCache() = default;

  // The library can be loaded and has the five exports that mark a cache
  // with groups and extended enumeration.
  virtual bool LibraryPresent() = 0;

  // The extended enumeration, filtered by entry type and group.
  virtual std::uint32_t FindFirstEx(const UrlCachePattern& pattern, std::uint32_t filter, std::int64_t group,
                                    std::uint32_t& bufferSize, UrlCacheEntry& entry, UrlCacheFind& find) = 0;
  virtual std::uint32_t FindNextEx(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) = 0;

  // The plain enumeration: the pattern's container, every entry type.
  virtual std::uint32_t FindFirst(const UrlCachePattern& pattern, std::uint32_t& bufferSize, UrlCacheEntry& entry,
                                  UrlCacheFind& find) = 0;
  virtual std::uint32_t FindNext(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) = 0;

  virtual std::uint32_t DeleteEntry(const std::string& sourceUrl) = 0;
  virtual std::uint32_t FindClose(UrlCacheFind find) = 0;
};

// Closes a URL-cache enumeration with the cache's own close call.
class UniqueUrlCacheFind {
 public:
  UniqueUrlCacheFind(UrlCache& cache, UrlCacheFind find) noexcept : cache_(cache), find_(find) {}
  ~UniqueUrlCacheFind() {
    if (find_ != kNoUrlCacheFind) cache_.FindClose(find_);
  }
  UniqueUrlCacheFind(const UniqueUrlCacheFind&) = delete;
  UniqueUrlCacheFind& operator=(const UniqueUrlCacheFind&) = delete;
  UrlCacheFind get() const noexcept { return find_; }

 private:
  UrlCache& cache_;
  UrlCacheFind find_;
};

}  // namespace vandrel
