// The URL-cache component against the in-memory cache: the entry-type
// filter, the search patterns, the two-call buffer pattern, deleting every
// matching entry with the extended walk and with the plain walk that stands
// in for a stubbed extended one, and walks that keep failing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "eraser/TIECache.h"
#include "platform/memory/MemoryUrlCache.h"

namespace vandrel {
namespace {

using Strings = std::vector<std::string>;

constexpr std::uint32_t kNormal = 0x1;
constexpr std::uint32_t kCookie = 0x100000;
constexpr std::uint32_t kHistory = 0x200000;
constexpr std::uint32_t kSticky = 0x4;

const std::string kPage = "http://example.test/a.html";
const std::string kStickyPage = "http://example.test/sticky.html";
const std::string kCookieEntry = "Cookie:user@example.test/";
const std::string kVisited = "Visited: user@http://example.test/a.html";

void FillCache(MemoryUrlCache& cache) {
  cache.Add(kCookieEntry, kCookie);
  cache.Add(kPage, kNormal);
  cache.Add(kVisited, kHistory | kNormal);
  cache.Add(kStickyPage, kSticky);
}

TEST(TIECacheFilter, DefaultsToTheSixTypesAndFollowsEverySetting) {
  MemoryUrlCache cache;
  TIECache component(cache);
  EXPECT_EQ(component.Filter(), 0x300035u);
  component.SetFilterOptions({});
  EXPECT_EQ(component.Filter(), 0u);
  component.SetFilterOptions({TFilterOption::NORMAL_ENTRY, TFilterOption::STABLE_ENTRY, TFilterOption::STICKY_ENTRY,
                              TFilterOption::COOKIE_ENTRY, TFilterOption::URLHISTORY_ENTRY,
                              TFilterOption::TRACK_OFFLINE_ENTRY, TFilterOption::TRACK_ONLINE_ENTRY,
                              TFilterOption::SPARSE_ENTRY, TFilterOption::OCX_ENTRY});
  EXPECT_EQ(component.Filter(), 0x330037u);
  component.SetFilterOptions({TFilterOption::SPARSE_ENTRY, TFilterOption::OCX_ENTRY});

  FillCache(cache);
  EXPECT_EQ(component.FindFirstEntry(0), kUrlCacheNoMoreItems);
  ASSERT_EQ(cache.extendedFilters.size(), 1u);
  EXPECT_EQ(cache.extendedFilters[0], 0x30000u);
}

TEST(TIECachePattern, EachPatternIsHandedToTheCache) {
  MemoryUrlCache cache;
  TIECache component(cache);
  for (const TSearchPattern pattern :
       {TSearchPattern::spAll, TSearchPattern::spCookies, TSearchPattern::spHistory, TSearchPattern::spUrl}) {
    component.SearchPattern = pattern;
    component.DeleteAllEntries();
  }
  const std::vector<UrlCachePattern> expected{std::nullopt, std::string("Cookie:"), std::string("Visited:"),
                                              std::string()};
  EXPECT_EQ(cache.extendedPatterns, expected);
}

TEST(TIECacheWalk, AsksForTheSizeThenWithABufferOfExactlyThatSize) {
  MemoryUrlCache cache;
  cache.Add(kPage, kNormal);
  cache.Add(kStickyPage, kSticky);
  TIECache component(cache);
  ASSERT_EQ(component.FindFirstEntry(0), kUrlCacheSuccess);
  EXPECT_EQ(component.SourceUrl(), kPage);
  ASSERT_EQ(component.FindNextEntry(), kUrlCacheSuccess);
  EXPECT_EQ(component.SourceUrl(), kStickyPage);
  EXPECT_EQ(component.FindNextEntry(), kUrlCacheNoMoreItems);
  const std::vector<std::uint32_t> expected{0, MemoryUrlCache::RecordSize(kPage), 0,
                                            MemoryUrlCache::RecordSize(kStickyPage), 0};
  EXPECT_EQ(cache.offeredSizes, expected);
}

struct PatternCase {
  TSearchPattern pattern;
  Strings left;
};

enum class Walk { Extended, Plain, PlainOfEveryContainer };

// A full cache whose enumeration is of that kind.
MemoryUrlCache FilledCache(Walk walk) {
  MemoryUrlCache cache;
  cache.extendedIsStub = walk != Walk::Extended;
  cache.plainIgnoresPattern = walk == Walk::PlainOfEveryContainer;
  FillCache(cache);
  return cache;
}

class TIECacheDeleteAllWalks : public ::testing::TestWithParam<Walk> {};

// With the extended walk, and with the plain walk that a stubbed extended
// call leads to, which has to do the container and type filtering itself
// (also when the plain walk hands out every container).
TEST_P(TIECacheDeleteAllWalks, RemovesExactlyThePatternsEntries) {
  const std::vector<PatternCase> cases{
      {TSearchPattern::spAll, {}},
      {TSearchPattern::spCookies, {kPage, kVisited, kStickyPage}},
      {TSearchPattern::spHistory, {kCookieEntry, kPage, kStickyPage}},
      {TSearchPattern::spUrl, {kCookieEntry, kVisited}},
  };
  for (const PatternCase& test : cases) {
    MemoryUrlCache cache = FilledCache(GetParam());
    TIECache component(cache);
    component.SearchPattern = test.pattern;
    component.DeleteAllEntries();
    EXPECT_EQ(cache.Urls(), test.left) << static_cast<int>(test.pattern);
    EXPECT_EQ(cache.OpenFinds(), 0u);
  }
}

TEST_P(TIECacheDeleteAllWalks, LeavesTypesOutsideTheFilter) {
  MemoryUrlCache cache = FilledCache(GetParam());
  TIECache component(cache);
  component.SetFilterOptions({TFilterOption::COOKIE_ENTRY, TFilterOption::URLHISTORY_ENTRY});
  component.DeleteAllEntries();
  EXPECT_EQ(cache.Urls(), (Strings{kPage, kStickyPage}));
}

// A quit seen between two entries ends the walk there, its find closed.
TEST_P(TIECacheDeleteAllWalks, EndsBetweenEntriesWhenTheCallerThrows) {
  MemoryUrlCache cache = FilledCache(GetParam());
  TIECache component(cache);
  component.BetweenEntries = [&] { throw 2; };
  EXPECT_THROW(component.DeleteAllEntries(), int);
  EXPECT_EQ(cache.Urls().size(), FilledCache(GetParam()).Urls().size() - 1);
  EXPECT_EQ(cache.OpenFinds(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ExtendedAndPlain, TIECacheDeleteAllWalks,
                         ::testing::Values(Walk::Extended, Walk::Plain, Walk::PlainOfEveryContainer));

TEST(TIECacheWalk, AStubbedWalkOfOneGroupIsNotWidenedToTheWholeCache) {
  MemoryUrlCache cache = FilledCache(Walk::Plain);
  TIECache component(cache);
  EXPECT_EQ(component.FindFirstEntry(7), kUrlCacheFileNotFound);
  EXPECT_EQ(component.SourceUrl(), "");
  ASSERT_EQ(component.FindFirstEntry(0), kUrlCacheSuccess);
  EXPECT_EQ(component.SourceUrl(), kCookieEntry);
}

TEST(TIECacheDeleteAll, PassesOverAnEntryThatCannotBeDeleted) {
  MemoryUrlCache cache;
  FillCache(cache);
  cache.failingDeletes[kPage] = 5;  // access denied, every time
  TIECache component(cache);
  component.DeleteAllEntries();
  EXPECT_EQ(cache.Urls(), Strings{kPage});
  EXPECT_EQ(cache.deleteCalls, 3 + TIECache::kDeleteAttempts);
  EXPECT_EQ(cache.OpenFinds(), 0u);
}

TEST(TIECacheDeleteAll, EndsWhenTheNextEntryCannotBeHadAgainAndAgain) {
  MemoryUrlCache cache;
  FillCache(cache);
  cache.failingNext = 1117;  // an I/O error that persists
  TIECache component(cache);
  component.DeleteAllEntries();
  EXPECT_EQ(cache.nextCalls, TIECache::kFindNextAttempts);
  EXPECT_EQ(cache.deleteCalls, 1);  // the first entry, deleted once
  EXPECT_EQ(cache.OpenFinds(), 0u);
}

TEST(TIECacheDeleteAll, AnEmptyCacheStillClosesTheNullHandle) {
  MemoryUrlCache cache;
  TIECache component(cache);
  component.DeleteAllEntries();
  EXPECT_EQ(cache.closed, std::vector<UrlCacheFind>{kNoUrlCacheFind});
  EXPECT_EQ(cache.deleteCalls, 0);
}

TEST(TIECacheLibrary, WithoutItNothingIsAskedAndAYesIsKept) {
  MemoryUrlCache cache;
  FillCache(cache);
  cache.libraryPresent = false;
  TIECache component(cache);
  EXPECT_EQ(component.FindFirstEntry(0), kUrlCacheFileNotFound);
  EXPECT_EQ(component.FindNextEntry(), kUrlCacheFileNotFound);
  EXPECT_EQ(component.DeleteEntry(kPage), kUrlCacheSuccess);
  component.DeleteAllEntries();
  EXPECT_EQ(cache.Urls().size(), 4u);
  EXPECT_EQ(cache.libraryChecks, 4);  // a no is asked again each time

  cache.libraryPresent = true;
  EXPECT_TRUE(component.LibraryFound());
  cache.libraryPresent = false;
  EXPECT_TRUE(component.LibraryFound());
  component.DeleteAllEntries();
  EXPECT_TRUE(cache.Urls().empty());
  EXPECT_EQ(cache.libraryChecks, 5);
}

TEST(TIECacheEntry, ADeleteEmptiesTheCurrentEntryAFailedOneKeepsIt) {
  MemoryUrlCache cache;
  FillCache(cache);
  cache.failingDeletes[kPage] = 5;
  TIECache component(cache);
  ASSERT_EQ(component.FindFirstEntry(0), kUrlCacheSuccess);
  EXPECT_EQ(component.DeleteEntry(component.SourceUrl()), kUrlCacheSuccess);
  EXPECT_EQ(component.SourceUrl(), "");
  ASSERT_EQ(component.FindNextEntry(), kUrlCacheSuccess);
  EXPECT_EQ(component.DeleteEntry(component.SourceUrl()), 5u);
  EXPECT_EQ(component.SourceUrl(), kPage);
}

}  // namespace
}  // namespace vandrel
