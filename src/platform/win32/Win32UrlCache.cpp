#include "platform/win32/Win32UrlCache.h"

#include <memory>
#include <type_traits>

namespace vandrel {

namespace {

// The five exports that mark a library with cache groups and the extended
// enumeration; without them the cache is left alone.
constexpr const char* kRequiredExports[] = {"FindFirstUrlCacheGroup", "FindNextUrlCacheGroup",
                                            "GetUrlCacheGroupAttributeA", "SetUrlCacheGroupAttributeA",
                                            "FindFirstUrlCacheEntryExA"};

UrlCacheFileTime FileTimeOf(const FILETIME& time) {
  return (static_cast<UrlCacheFileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string TextOf(const char* text) { return text ? std::string(text) : std::string(); }

UrlCacheEntry EntryOf(const INTERNET_CACHE_ENTRY_INFOA& info) {
  UrlCacheEntry entry;
  entry.sourceUrl = TextOf(info.lpszSourceUrlName);
  entry.localFileName = TextOf(info.lpszLocalFileName);
  entry.entryType = info.CacheEntryType;
  entry.useCount = info.dwUseCount;
  entry.hitRate = info.dwHitRate;
  entry.fileSize = (static_cast<std::uint64_t>(info.dwSizeHigh) << 32) | info.dwSizeLow;
  entry.lastModified = FileTimeOf(info.LastModifiedTime);
  entry.expire = FileTimeOf(info.ExpireTime);
  entry.lastAccess = FileTimeOf(info.LastAccessTime);
  entry.lastSync = FileTimeOf(info.LastSyncTime);
  if (info.lpHeaderInfo) entry.headerInfo.assign(info.lpHeaderInfo, info.dwHeaderInfoSize);
  entry.fileExtension = TextOf(info.lpszFileExtension);
  entry.exemptDelta = info.dwExemptDelta;
  return entry;
}

// A buffer of exactly the size asked for (none for 0), aligned for the
// record that the library writes at its start.
class EntryBuffer {
 public:
  explicit EntryBuffer(std::uint32_t size)
      : storage_(size ? std::make_unique<std::uint64_t[]>((size + 7) / 8) : nullptr), size_(size) {}
  INTERNET_CACHE_ENTRY_INFOA* get() const { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(storage_.get()); }
  DWORD* size() { return &size_; }

 private:
  std::unique_ptr<std::uint64_t[]> storage_;
  DWORD size_;
};

const char* PatternPointer(const UrlCachePattern& pattern) { return pattern ? pattern->c_str() : nullptr; }

HANDLE HandleOf(UrlCacheFind find) { return reinterpret_cast<HANDLE>(find); }

// The answer of one enumeration call: the entry on success, else the error
// with the size needed.
std::uint32_t Answer(bool succeeded, EntryBuffer& buffer, std::uint32_t& bufferSize, UrlCacheEntry& entry) {
  if (!succeeded) {
    const DWORD error = GetLastError();
    bufferSize = *buffer.size();
    return error;
  }
  entry = EntryOf(*buffer.get());
  return kUrlCacheSuccess;
}

// The answer of a first call, which hands out the find handle on success.
std::uint32_t FirstAnswer(HANDLE handle, EntryBuffer& buffer, std::uint32_t& bufferSize, UrlCacheEntry& entry,
                          UrlCacheFind& find) {
  const std::uint32_t error = Answer(handle != nullptr, buffer, bufferSize, entry);
  if (handle) find = reinterpret_cast<UrlCacheFind>(handle);
  return error;
}

}  // namespace

bool Win32UrlCache::Load() {
  if (!wininet_.Load()) return false;
  if (!lookedUp_) {
    lookedUp_ = true;
    const auto lookUp = [this](auto& function, const char* name) {
      function = wininet_.Find<std::remove_reference_t<decltype(function)>>(name);
    };
    lookUp(functions_.findFirstEx, "FindFirstUrlCacheEntryExA");
    lookUp(functions_.findNextEx, "FindNextUrlCacheEntryExA");
    lookUp(functions_.findFirst, "FindFirstUrlCacheEntryA");
    lookUp(functions_.findNext, "FindNextUrlCacheEntryA");
    lookUp(functions_.deleteEntry, "DeleteUrlCacheEntryA");
    lookUp(functions_.findClose, "FindCloseUrlCache");
  }
  return true;
}

bool Win32UrlCache::LibraryPresent() {
  if (!Load()) return false;
  for (const char* name : kRequiredExports) {
    if (!wininet_.Find<FARPROC>(name)) return false;
  }
  return true;
}

std::uint32_t Win32UrlCache::FindFirstEx(const UrlCachePattern& pattern, std::uint32_t filter, std::int64_t group,
                                         std::uint32_t& bufferSize, UrlCacheEntry& entry, UrlCacheFind& find) {
  if (!Load() || !functions_.findFirstEx) return kUrlCacheProcNotFound;
  EntryBuffer buffer(bufferSize);
  const HANDLE handle = functions_.findFirstEx(PatternPointer(pattern), 0, filter, group, buffer.get(), buffer.size(),
                                               nullptr, nullptr, nullptr);
  return FirstAnswer(handle, buffer, bufferSize, entry, find);
}

std::uint32_t Win32UrlCache::FindNextEx(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) {
  if (!Load() || !functions_.findNextEx) return kUrlCacheProcNotFound;
  EntryBuffer buffer(bufferSize);
  const BOOL found = functions_.findNextEx(HandleOf(find), buffer.get(), buffer.size(), nullptr, nullptr, nullptr);
  return Answer(found != FALSE, buffer, bufferSize, entry);
}

std::uint32_t Win32UrlCache::FindFirst(const UrlCachePattern& pattern, std::uint32_t& bufferSize, UrlCacheEntry& entry,
                                       UrlCacheFind& find) {
  if (!Load() || !functions_.findFirst) return kUrlCacheProcNotFound;
  EntryBuffer buffer(bufferSize);
  return FirstAnswer(functions_.findFirst(PatternPointer(pattern), buffer.get(), buffer.size()), buffer, bufferSize,
                     entry, find);
}

std::uint32_t Win32UrlCache::FindNext(UrlCacheFind find, std::uint32_t& bufferSize, UrlCacheEntry& entry) {
  if (!Load() || !functions_.findNext) return kUrlCacheProcNotFound;
  EntryBuffer buffer(bufferSize);
  const BOOL found = functions_.findNext(HandleOf(find), buffer.get(), buffer.size());
  return Answer(found != FALSE, buffer, bufferSize, entry);
}

std::uint32_t Win32UrlCache::DeleteEntry(const std::string& sourceUrl) {
  if (!Load() || !functions_.deleteEntry) return kUrlCacheProcNotFound;
  return functions_.deleteEntry(sourceUrl.c_str()) ? kUrlCacheSuccess : GetLastError();
}

std::uint32_t Win32UrlCache::FindClose(UrlCacheFind find) {
  if (!Load() || !functions_.findClose) return kUrlCacheProcNotFound;
  return functions_.findClose(HandleOf(find)) ? kUrlCacheSuccess : GetLastError();
}

}  // namespace vandrel
