#include <gtest/gtest.h>

#include <random>

#include "blocklist/CryptString.h"
#include "blocklist/TitlesFile.h"

namespace vandrel {
namespace {

using Lines = std::vector<std::string>;

// The file as the program has always written it, kept here as the reference
// that old files were made by.
std::string OldWriter(const Lines& entries) {
  std::string content;
  for (const auto& entry : entries) {
    for (const char c : entry) content += static_cast<char>(~(static_cast<unsigned char>(c) ^ 0xC5));
    content += "\r\n";
  }
  return content;
}

// The old reader, byte by byte: a line runs to NUL, CR or LF; CR, then LF,
// are skipped after it; NUL stops everything.
Lines OldReader(const std::string& content) {
  Lines lines;
  const char* p = content.c_str();
  while (*p != '\0') {
    const char* start = p;
    while (*p != '\0' && *p != '\r' && *p != '\n') ++p;
    lines.push_back(CryptString(std::string(start, p)));
    if (*p == '\r') ++p;
    if (*p == '\n') ++p;
  }
  return lines;
}

Lines RoundTrip(const Lines& entries) { return DecodeTitles(EncodeTitles(entries)); }

std::string Byte(int value) { return std::string(1, static_cast<char>(value)); }

TEST(CryptStringTest, ScramblesEachByteAndIsItsOwnInverse) {
  EXPECT_EQ(CryptString("A"), "\x7B");  // ~(0x41 ^ 0xC5)
  EXPECT_EQ(CryptString("07:"), std::string("\n\r\0", 3));
  for (int b = 0; b < 256; ++b) ASSERT_EQ(CryptString(CryptString(Byte(b))), Byte(b)) << b;
}

TEST(SplitLinesTest, EndsLinesAtCrLfLoneCrAndLoneLfAndStopsAtNul) {
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\r\nb\n\rc"), (Lines{"a", "", "b", "", "c"}));
  EXPECT_EQ(SplitLines("a\n\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines(std::string("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines(std::string("\0a", 2)), Lines{});
}

TEST(TitlesFileTest, AListWithoutTheUnsafeCharactersIsWrittenInTheOldLayout) {
  Lines everySafeByte;
  for (int b = 1; b < 256; ++b) {
    if (b != '0' && b != '7' && b != ':') everySafeByte.push_back(Byte(b));
  }
  for (const Lines& entries : {Lines{}, Lines{"zeta", "Alpha", "beta"}, Lines{"", "ads", "", "ads"}, everySafeByte}) {
    EXPECT_EQ(EncodeTitles(entries), OldWriter(entries));
    EXPECT_EQ(RoundTrip(entries), entries);
  }
  EXPECT_EQ(EncodeTitles({}), "");
}

TEST(TitlesFileTest, OldFilesReadAsTheOldReaderReadThem) {
  // What the old writer made of entries with '0', '7' and ':'.
  const Lines titles{"Top 10 offers", "Win 7 prizes", "Re: winner", "after"};
  const std::string oldFile = OldWriter(titles);
  EXPECT_EQ(DecodeTitles(oldFile), (Lines{"Top 1", " offers", "Win ", " prizes", "Re"}));
  EXPECT_EQ(DecodeTitles(oldFile), OldReader(oldFile));

  std::mt19937 random(11);
  for (int i = 0; i < 500; ++i) {
    std::string content(random() % 40, ' ');
    for (char& c : content) c = static_cast<char>("\r\n\0ab0:7\x1B"[random() % 9]);
    ASSERT_EQ(DecodeTitles(content), OldReader(content)) << i;
  }
}

TEST(TitlesFileTest, EverySingleByteEntrySurvives) {
  for (int b = 0; b < 256; ++b) ASSERT_EQ(RoundTrip({Byte(b)}), Lines{Byte(b)}) << b;
  Lines all;
  for (int b = 0; b < 256; ++b) all.push_back(Byte(b));
  EXPECT_EQ(RoundTrip(all), all);
}

TEST(TitlesFileTest, EveryPairAroundTheEscapedCharactersSurvives) {
  const std::string special = "07:\x1BZSC";
  for (const char s : special) {
    for (int b = 0; b < 256; ++b) {
      const std::string before = Byte(b) + s, after = std::string(1, s) + Byte(b);
      ASSERT_EQ(RoundTrip({before, after, "", before + after}), (Lines{before, after, "", before + after}))
          << int(static_cast<unsigned char>(s)) << " " << b;
    }
  }
}

TEST(TitlesFileTest, RandomAndRealLookingEntriesSurvive) {
  const Lines titles{"Top 10 offers",
                     "Win 7 prizes",
                     "Re: winner",
                     "",
                     "\x1BZ",
                     "\x1B",
                     "a\x1B\x1B"
                     "C"};
  EXPECT_EQ(RoundTrip(titles), titles);
  std::mt19937 random(5);
  Lines entries(2000);
  for (auto& entry : entries) {
    entry.resize(random() % 12);
    for (char& c : entry) c = static_cast<char>(random() % 256);
  }
  EXPECT_EQ(RoundTrip(entries), entries);
}

TEST(TitlesFileTest, TheEscapedLayoutStartsWithTheMarkerAndHoldsNoLineEndOrNulInsideARecord) {
  const Lines entries{"Top 10 offers", "Re: winner", "7"};
  const std::string content = EncodeTitles(entries);
  const std::string markerRecord = CryptString(kEscapedLayoutMarker) + "\r\n";
  ASSERT_EQ(content.substr(0, markerRecord.size()), markerRecord);
  EXPECT_EQ(content.find('\0'), std::string::npos);
  // The old reader sees one line per record: the marker, then the entries.
  EXPECT_EQ(OldReader(content).size(), entries.size() + 1);
}

TEST(TitlesFileTest, AnEntryThatLooksLikeTheMarkerStaysAnEntry) {
  const Lines entries{std::string(kEscapedLayoutMarker), "plain"};
  EXPECT_EQ(RoundTrip(entries), entries);
  // Only an exact first line selects the escaped layout.
  const Lines almost{std::string(kEscapedLayoutMarker) + " ", "a\x1BZ"};
  EXPECT_EQ(DecodeTitles(OldWriter(almost)), almost);
  EXPECT_EQ(DecodeTitles(OldWriter({"plain", std::string(kEscapedLayoutMarker), "a\x1BZ"})),
            (Lines{"plain", std::string(kEscapedLayoutMarker), "a\x1BZ"}));
}

TEST(TitlesFileTest, AnUnknownEscapeInAMarkedFileKeepsItsBytes) {
  const std::string marked =
      OldWriter({std::string(kEscapedLayoutMarker), "a\x1BQb", "end\x1B", "\x1B\x1B\x1B", "\x1Bz\x1BZ"});
  EXPECT_EQ(DecodeTitles(marked), (Lines{"a\x1BQb", "end\x1B", "\x1B\x1B",
                                         "\x1Bz"
                                         "0"}));
}

TEST(TitlesFileTest, JoinLinesEndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({"a", "", "b c"}), "a\r\n\r\nb c\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

}  // namespace
}  // namespace vandrel
