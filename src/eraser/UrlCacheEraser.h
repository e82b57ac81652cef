#pragma once
#include <functional>

namespace vandrel {

// Which part of the browser's URL cache an enumeration walks.
enum class CacheSearch { All, Cookies, History, Url };

// Deletes the entries of the browser's URL cache. pump runs between
// entries, so that the caller's windows keep working during a long walk; it
// may end the walk by throwing (the program is ending).
class UrlCacheEraser {
 public:
  virtual ~UrlCacheEraser() = default;
  virtual void DeleteAllEntries(CacheSearch search, const std::function<void()>& pump) = 0;
};

}  // namespace vandrel
