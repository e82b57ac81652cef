#include <gtest/gtest.h>

#include <array>
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

// In code pages of two-byte characters (932, 936, 949) an entry matches
// only whole characters of the title and a character of two bytes never
// changes case; in 1252 the same bytes are characters of one byte each and
// match as they always did. Titles in code page 932: "ア" is 83 41,
// "ソフトウェアDL" holds the bytes "AD" but not the text; "ニ" (83 6A) and
// "カ" (83 4A), "広" (8D 4C) and "考" (8D 6C) differ in a letter's case.
TEST(TitleMatcherTest, MatchesWholeCharactersOfTheCodePage) {
  constexpr unsigned kCodePages[] = {1252, 932, 936, 949};
  const struct {
    const char* entry;
    const char* title;
    std::array<bool, 4> matches;  // in the code pages above
  } rows[] = {
      {"ad",
       "\x83\x5C\x83\x74\x83\x67\x83\x45\x83\x46\x83\x41"
       "DL",
       {true, false, false, false}},
      {"\x83\x6A", "\x83\x4A", {true, false, false, false}},
      {"\x8D\x6C", "\x96\xB3\x97\xBF\x8D\x4C\x8D\x90", {true, false, false, false}},
      {"\x8D\x4C\x8D\x90", "\x96\xB3\x97\xBF\x8D\x4C\x8D\x90", {true, true, true, true}},
      {"ad", "\x83\x41 ad", {true, true, true, true}},
      // A lone lead byte ends an entry or a title: it matches only itself.
      {"dl\x83", "DL\x83\x41", {true, false, false, false}},
      {"dl\x83", "xDL\x83", {true, true, true, true}},
      {"a\x83", "A\x83", {true, true, true, true}},
  };
  for (std::size_t page = 0; page < std::size(kCodePages); ++page) {
    const AnsiCodePage codePage(UpperCasingOfCodePage(kCodePages[page]), LeadBytesOfCodePage(kCodePages[page]));
    for (const auto& row : rows) {
      const TitleMatcher matcher({row.entry}, codePage);
      EXPECT_EQ(!Find(matcher, row.title).empty(), row.matches[page]) << kCodePages[page] << ": " << row.entry;
      EXPECT_EQ(codePage.EqualIgnoringCase(row.entry, row.title),
                row.matches[page] && std::string_view(row.entry).size() == std::string_view(row.title).size())
          << kCodePages[page] << ": " << row.entry;
    }
    const LeadByteTable& leadBytes = codePage.LeadBytes();
    const bool twoByte = page > 0;
    // "ア- Microsoft Internet Explorer": the suffix at the second character.
    EXPECT_EQ(TitlePart("\x83\x41- Microsoft Internet Explorer", "- Microsoft Internet Explorer", leadBytes),
              twoByte ? "" : "\x83");
    EXPECT_EQ(TitlePart("\x83\x41\x83 - X", "- X", leadBytes), twoByte ? "\x83\x41" : "\x83\x41\x83");
    // The suffix's first byte taken as the second of a character is no suffix.
    EXPECT_EQ(TitlePart("ab\x83- X - X", "- X", leadBytes), twoByte ? "ab\x83- X" : "ab");
  }
}

TEST(TitleSuffixTest, TitlePartDropsTheBlankBeforeTheFirstSuffix) {
  const std::string suffix = "- Microsoft Internet Explorer";
  const auto TitlePart = [](std::string_view title, std::string_view suffix) {
    return vandrel::TitlePart(title, suffix, LeadByteTable{});
  };
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
