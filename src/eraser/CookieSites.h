#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/UrlCache.h"

namespace vandrel {

// A host that has cookies in the browser's URL cache, and how many.
struct CookieSite {
  std::string host;  // lower case, no leading dot
  std::size_t cookies = 0;
};

// The cookie entries of the URL cache; the cache is only read.
std::vector<UrlCacheEntry> CookieEntriesOf(UrlCache& cache);
// A read of them that can do nothing else, for the erase preview.
using CookieEntriesRead = std::function<std::vector<UrlCacheEntry>()>;
// Their hosts, in the order of their names.
std::vector<CookieSite> CookieSitesOf(const std::vector<UrlCacheEntry>& entries);

}  // namespace vandrel
