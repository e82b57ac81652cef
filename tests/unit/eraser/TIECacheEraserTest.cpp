#include "eraser/TIECacheEraser.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryUrlCache.h"

namespace vandrel {
namespace {

TEST(TIECacheEraser, EachSearchEmptiesItsOwnContainer) {
  MemoryUrlCache cache;
  cache.Add("Cookie:user@site.example/", 0x100001);
  cache.Add("Visited: user@http://site.example/", 0x200001);
  cache.Add("http://site.example/page.htm", 0x1);
  TIECache component(cache);
  TIECacheEraser eraser(component);

  eraser.DeleteAllEntries(CacheSearch::History, {});
  EXPECT_EQ(cache.Urls(), (std::vector<std::string>{"Cookie:user@site.example/", "http://site.example/page.htm"}));
  eraser.DeleteAllEntries(CacheSearch::Cookies, {});
  EXPECT_EQ(cache.Urls(), std::vector<std::string>{"http://site.example/page.htm"});
  cache.Add("Cookie:user@other.example/", 0x100001);
  eraser.DeleteAllEntries(CacheSearch::All, {});
  EXPECT_TRUE(cache.Urls().empty());
}

}  // namespace
}  // namespace vandrel
