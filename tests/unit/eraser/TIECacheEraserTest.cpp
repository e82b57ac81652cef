#include "eraser/TIECacheEraser.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryUrlCache.h"

namespace vandrel {
namespace {

TEST(TIECacheEraser, EachSearchEmptiesItsOwnContainerButWhatItKeeps) {
  MemoryUrlCache cache;
  cache.Add("Cookie:user@site.example/", 0x100001);
  cache.Add("Visited: user@http://site.example/", 0x200001);
  cache.Add("http://site.example/page.htm", 0x1);
  cache.Add("Cookie:user@kept.example/", 0x100001);
  TIECache component(cache);
  TIECacheEraser eraser(component);
  const auto kept = [](const UrlCacheEntry& entry) { return entry.sourceUrl == "Cookie:user@kept.example/"; };

  eraser.DeleteAllEntries(CacheSearch::History, {}, {});
  EXPECT_EQ(cache.Urls(), (std::vector<std::string>{"Cookie:user@site.example/", "http://site.example/page.htm",
                                                    "Cookie:user@kept.example/"}));
  eraser.DeleteAllEntries(CacheSearch::Cookies, {}, kept);
  EXPECT_EQ(cache.Urls(), (std::vector<std::string>{"http://site.example/page.htm", "Cookie:user@kept.example/"}));
  cache.Add("Cookie:user@other.example/", 0x100001);
  eraser.DeleteAllEntries(CacheSearch::All, {}, kept);
  EXPECT_EQ(cache.Urls(), std::vector<std::string>{"Cookie:user@kept.example/"});
  EXPECT_EQ(component.PassesOver, nullptr);  // forgotten after the walk
}

}  // namespace
}  // namespace vandrel
