#include <gtest/gtest.h>

#include <random>

#include "blocklist/TitleMatcher.h"
#include "blocklist/TitleSuffix.h"
#include "platform/memory/MemorySystemInfo.h"

namespace vandrel {
namespace {

std::vector<std::uint32_t> Find(const TitleMatcher& matcher, std::string_view text) {
  std::vector<std::uint32_t> found;
  matcher.FindAll(text, found);
  return found;
}

const UpperCaseTable kUpper = MemorySystemInfo().UpperCasing();

TEST(TitleMatcherTest, FindsEveryEntryOnceInListOrderIgnoringCase) {
  const TitleMatcher matcher({"news", "", "NEWS", "ail", "daily news", "x"}, kUpper);
  EXPECT_EQ(Find(matcher, "Daily News, news"), (std::vector<std::uint32_t>{0, 2, 3, 4}));
  EXPECT_EQ(Find(matcher, ""), std::vector<std::uint32_t>{});
  EXPECT_EQ(Find(matcher, "nothing here"), std::vector<std::uint32_t>{});
}

TEST(TitleMatcherTest, EntriesInsideOtherEntriesAreFoundThroughTheFailureChain) {
  const TitleMatcher matcher({"she", "he", "hers", "his", "e"}, kUpper);
  EXPECT_EQ(Find(matcher, "ushers"), (std::vector<std::uint32_t>{0, 1, 2, 4}));
  EXPECT_EQ(Find(matcher, "this"), (std::vector<std::uint32_t>{3}));
}

TEST(TitleMatcherTest, UpperCasesAccentedLettersAsTheCodePageDoes) {
  const TitleMatcher matcher({"\xE9t\xE9", "\xFF"}, kUpper);  // "été", y-diaeresis
  EXPECT_EQ(Find(matcher, "L'\xC9T\xC9 ARRIVE"), (std::vector<std::uint32_t>{0}));
  EXPECT_EQ(Find(matcher, "\x9F"), (std::vector<std::uint32_t>{1}));
}

// The automaton must agree with the plain definition: an entry matches when
// its upper-cased text is a substring of the upper-cased title.
TEST(TitleMatcherTest, AgreesWithANaiveSearchOnRandomLists) {
  std::mt19937 random(7);
  auto word = [&](int maxLength) {
    std::string text(1 + random() % maxLength, ' ');
    for (char& c : text) c = "abAB c\xE4\xC4"[random() % 8];
    return text;
  };
  auto upper = [](std::string text) {
    for (char& c : text) c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
    return text;
  };
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> entries;
    for (int i = 0; i < 20; ++i) entries.push_back(word(4));
    const TitleMatcher matcher(entries, kUpper);
    const std::string title = word(30);
    std::vector<std::uint32_t> expected;
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
      if (upper(title).find(upper(entries[i])) != std::string::npos) expected.push_back(i);
    }
    ASSERT_EQ(Find(matcher, title), expected) << "title '" << title << "'";
  }
}

TEST(TitleSuffixTest, TitlePartDropsTheBlankBeforeTheFirstSuffix) {
  const std::string suffix = "- Microsoft Internet Explorer";
  EXPECT_EQ(TitlePart("Daily NEWS - Microsoft Internet Explorer", suffix), "Daily NEWS");
  EXPECT_EQ(TitlePart("A - Microsoft Internet Explorer", suffix), "A");
  EXPECT_EQ(TitlePart("A- Microsoft Internet Explorer", suffix), "");  // suffix at the 2nd character
  EXPECT_EQ(TitlePart("- Microsoft Internet Explorer", suffix), "");
  EXPECT_EQ(TitlePart("No suffix here", suffix), "");
  EXPECT_EQ(TitlePart("ab - X - Y - X", "- X"), "ab");
  const std::string explorer = "Explorer";
  EXPECT_EQ(TitleSuffixFor(&explorer), "- Explorer");
  const std::string empty;
  EXPECT_EQ(TitleSuffixFor(&empty), "- ");
  EXPECT_EQ(TitleSuffixFor(nullptr), "- Microsoft Internet Explorer");
}

}  // namespace
}  // namespace vandrel
