// The URL-cache component over wininet's real cache: a cached page, a
// cookie and a visited-page entry made by the test, deleted by container.
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CacheTraces.h"
#include "eraser/TIECache.h"
#include "platform/win32/Win32UrlCache.h"

namespace vandrel {
namespace {

using Strings = std::vector<std::string>;

const std::string kHost = "vandrel-urlcache.test";
const std::string kPageUrl = "http://" + kHost + "/page.html";
const std::string kVisitedUrl = "Visited: vandrel@" + kPageUrl;

// Every URL in the cache, through the adapter's plain walk with the
// two-call pattern.
Strings CacheUrls(Win32UrlCache& cache) {
  Strings urls;
  UrlCacheEntry entry;
  UrlCacheFind first = kNoUrlCacheFind;
  std::uint32_t size = 0;
  std::uint32_t error = cache.FindFirst(std::nullopt, size, entry, first);
  if (error == kUrlCacheInsufficientBuffer) error = cache.FindFirst(std::nullopt, size, entry, first);
  const UniqueUrlCacheFind find(cache, first);
  while (error == kUrlCacheSuccess) {
    urls.push_back(entry.sourceUrl);
    size = 0;
    error = cache.FindNext(find.get(), size, entry);
    if (error == kUrlCacheInsufficientBuffer) error = cache.FindNext(find.get(), size, entry);
  }
  EXPECT_EQ(error, kUrlCacheNoMoreItems);
  return urls;
}

// The test's own entries, in the order page, cookie, visit; a missing one
// stays out.
struct Traces {
  bool page = false;
  bool cookie = false;
  bool visit = false;
  bool operator==(const Traces&) const = default;
};

Traces TracesIn(const Strings& urls) {
  Traces traces;
  for (const std::string& url : urls) {
    if (url == kPageUrl) traces.page = true;
    if (url.rfind("Cookie:", 0) == 0 && url.find(kHost) != std::string::npos) traces.cookie = true;
    if (url == kVisitedUrl) traces.visit = true;
  }
  return traces;
}

void AddPage() {
  std::string file;
  ASSERT_TRUE(test::AddCachedPage(kPageUrl, file)) << GetLastError();
}

void AddCookie() { ASSERT_TRUE(test::AddCookie("http://" + kHost + "/", "vandrel")) << GetLastError(); }

void AddVisit() { ASSERT_TRUE(test::AddVisit(kVisitedUrl)) << GetLastError(); }

class UrlCacheWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddPage();
    AddCookie();
    AddVisit();
    ASSERT_EQ(TracesIn(CacheUrls(cache_)), (Traces{true, true, true}));
  }

  // Whatever of the test's own is left goes.
  void TearDown() override {
    for (const std::string& url : CacheUrls(cache_)) {
      if (url.find(kHost) != std::string::npos) cache_.DeleteEntry(url);
    }
  }

  Traces DeleteAll(TSearchPattern pattern) {
    TIECache component(cache_);
    component.SearchPattern = pattern;
    component.DeleteAllEntries();
    return TracesIn(CacheUrls(cache_));
  }

  Win32UrlCache cache_;
};

TEST_F(UrlCacheWineTest, TheLibraryIsFound) {
  TIECache component(cache_);
  EXPECT_TRUE(component.LibraryFound());
}

TEST_F(UrlCacheWineTest, CookiesGoAlone) {
  EXPECT_EQ(DeleteAll(TSearchPattern::spCookies), (Traces{true, false, true}));
}

TEST_F(UrlCacheWineTest, HistoryGoesAlone) {
  EXPECT_EQ(DeleteAll(TSearchPattern::spHistory), (Traces{true, true, false}));
}

TEST_F(UrlCacheWineTest, PagesGoAlone) { EXPECT_EQ(DeleteAll(TSearchPattern::spUrl), (Traces{false, true, true})); }

TEST_F(UrlCacheWineTest, AllGoesEverything) {
  EXPECT_EQ(DeleteAll(TSearchPattern::spAll), (Traces{}));
  EXPECT_TRUE(CacheUrls(cache_).empty());
}

}  // namespace
}  // namespace vandrel
