#pragma once
#include <functional>

#include "platform/UrlCache.h"

namespace vandrel {

// Which part of the browser's URL cache an enumeration walks.
enum class CacheSearch { All, Cookies, History, Url };

// An entry that a walk passes over when this answers yes (a kept site's
// cookie); empty: none.
using CacheEntryKept = std::function<bool(const UrlCacheEntry&)>;

// Deletes the entries of the browser's URL cache but those kept. pump runs
// between entries, so that the caller's windows keep working during a long
// walk; it may end the walk by throwing (the program is ending).
class UrlCacheEraser {
 public:
  virtual ~UrlCacheEraser() = default;
  virtual void DeleteAllEntries(CacheSearch search, const std::function<void()>& pump, const CacheEntryKept& kept) = 0;
};

}  // namespace vandrel
