#pragma once
#include <windows.h>
#include <wininet.h>

#include "platform/UrlCache.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {

// The URL cache of wininet.dll. The library is loaded at the first use and
// its functions looked up then, so that the program does not need the
// library to start; a missing function answers ERROR_PROC_NOT_FOUND.
class Win32UrlCache : public UrlCache {
 public:
  Win32UrlCache() = default;
  Win32UrlCache(const Win32UrlCache&) = delete;
  Win32UrlCache& operator=(const Win32UrlCache&) = delete;

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
  struct Functions {
    decltype(&::FindFirstUrlCacheEntryExA) findFirstEx = nullptr;
    decltype(&::FindNextUrlCacheEntryExA) findNextEx = nullptr;
    decltype(&::FindFirstUrlCacheEntryA) findFirst = nullptr;
    decltype(&::FindNextUrlCacheEntryA) findNext = nullptr;
    decltype(&::DeleteUrlCacheEntryA) deleteEntry = nullptr;
    decltype(&::FindCloseUrlCache) findClose = nullptr;
  };

  // Loads the library and looks up its functions once; false when it cannot
  // be loaded.
  bool Load();

  LateLibrary wininet_{"wininet.dll"};
  bool lookedUp_ = false;
  Functions functions_;
};

}  // namespace vandrel
