#include "eraser/CookieSites.h"

#include <map>

#include "eraser/CookiesToKeep.h"
#include "eraser/TIECache.h"

namespace vandrel {

std::vector<UrlCacheEntry> CookieEntriesOf(UrlCache& cache) {
  TIECache walk(cache);  // closes its enumeration when it goes
  walk.SearchPattern = TSearchPattern::spCookies;
  std::vector<UrlCacheEntry> entries;
  std::uint32_t error = walk.FindFirstEntry(0);
  if (error != kUrlCacheSuccess) return entries;  // none, or no library
  // A failed ask for the next entry is repeated, but not for ever.
  for (int failedAsks = 0; error != kUrlCacheNoMoreItems && failedAsks < TIECache::kFindNextAttempts;
       error = walk.FindNextEntry()) {
    if (error != kUrlCacheSuccess) {
      ++failedAsks;
      continue;
    }
    failedAsks = 0;
    entries.push_back(walk.CurrentEntry());
  }
  return entries;
}

std::vector<CookieSite> CookieSitesOf(const std::vector<UrlCacheEntry>& entries) {
  std::map<std::string, std::size_t> counts;
  for (const UrlCacheEntry& entry : entries) {
    const KeptSiteCheck host = CheckKeptSite(CookiesToKeep::CookieHost(entry.sourceUrl));
    if (host.refusal.empty()) ++counts[host.host];
  }
  std::vector<CookieSite> sites;
  for (const auto& [host, cookies] : counts) sites.push_back({host, cookies});
  return sites;
}

}  // namespace vandrel
