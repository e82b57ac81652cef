#include "CacheTraces.h"

#include <windows.h>
#include <wininet.h>

#include "platform/win32/Handles.h"

namespace vandrel::test {

bool AddCachedPage(const std::string& url, std::string& file) {
  char fileName[MAX_PATH] = {};
  if (!CreateUrlCacheEntryA(url.c_str(), 0, "html", fileName, 0)) return false;
  {
    const UniqueFileHandle page(
        CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!page) return false;
    const char text[] = "<html></html>";
    DWORD written = 0;
    WriteFile(page.get(), text, sizeof text - 1, &written, nullptr);
  }
  file = fileName;
  const FILETIME none{};
  return CommitUrlCacheEntryA(url.c_str(), fileName, none, none, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr);
}

bool AddCookie(const std::string& site, const std::string& name) {
  return InternetSetCookieA(site.c_str(), name.c_str(), "yes; expires=Fri, 01-Jan-2038 00:00:00 GMT");
}

bool AddVisit(const std::string& visitedUrl) {
  const FILETIME none{};
  return CommitUrlCacheEntryA(visitedUrl.c_str(), nullptr, none, none, URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY,
                              nullptr, 0, nullptr, nullptr);
}

std::vector<std::string> CachedUrls() {
  std::vector<std::string> urls;
  std::vector<char> buffer(4096);
  auto entry = [&] { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()); };
  DWORD size = static_cast<DWORD>(buffer.size());
  HANDLE find = FindFirstUrlCacheEntryA(nullptr, entry(), &size);
  if (!find && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    buffer.resize(size);
    find = FindFirstUrlCacheEntryA(nullptr, entry(), &size);
  }
  if (!find) return urls;
  for (;;) {
    urls.emplace_back(entry()->lpszSourceUrlName);
    size = static_cast<DWORD>(buffer.size());
    if (FindNextUrlCacheEntryA(find, entry(), &size)) continue;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    buffer.resize(size);
    if (!FindNextUrlCacheEntryA(find, entry(), &size)) break;
  }
  FindCloseUrlCache(find);
  return urls;
}

}  // namespace vandrel::test
