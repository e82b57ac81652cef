#pragma once
#include "eraser/TIECache.h"
#include "eraser/UrlCacheEraser.h"
#include "platform/ScopeExit.h"

namespace vandrel {

// The erase pass's URL-cache deletes through the main window's component.
class TIECacheEraser : public UrlCacheEraser {
 public:
  explicit TIECacheEraser(TIECache& cache) : cache_(cache) {}

  void DeleteAllEntries(CacheSearch search, const std::function<void()>& pump, const CacheEntryKept& kept) override {
    cache_.SearchPattern = PatternOf(search);
    cache_.BetweenEntries = pump;
    cache_.PassesOver = kept;
    const ScopeExit forget([this] {
      cache_.BetweenEntries = nullptr;
      cache_.PassesOver = nullptr;
    });
    cache_.DeleteAllEntries();
  }

  static TSearchPattern PatternOf(CacheSearch search) {
    switch (search) {
      case CacheSearch::All: return TSearchPattern::spAll;
      case CacheSearch::Cookies: return TSearchPattern::spCookies;
      case CacheSearch::History: return TSearchPattern::spHistory;
      case CacheSearch::Url: return TSearchPattern::spUrl;
    }
    return TSearchPattern::spAll;
  }

 private:
  TIECache& cache_;
};

}  // namespace vandrel
