#pragma once

namespace vandrel {

// Which part of the browser's URL cache an enumeration walks.
enum class CacheSearch { All, Cookies, History, Url };

// Deletes the entries of the browser's URL cache.
class UrlCacheEraser {
 public:
  virtual ~UrlCacheEraser() = default;
  virtual void DeleteAllEntries(CacheSearch search) = 0;
};

}  // namespace vandrel
