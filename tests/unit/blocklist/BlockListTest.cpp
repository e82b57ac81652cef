#include <gtest/gtest.h>

#include <random>

#include "blocklist/BlockList.h"
#include "platform/UpperCaseCollation.h"
#include "platform/memory/MemorySystemInfo.h"

namespace vandrel {
namespace {

using Entries = std::vector<std::string>;

const UpperCaseTable kUpper = MemorySystemInfo().UpperCasing();

// Z before A: shows that the list orders by the collation it is given.
struct ReverseCollation : TextCollation {
  int Compare(std::string_view a, std::string_view b) const override { return b.compare(a); }
  std::string SortKey(std::string_view text) const override {
    std::string key;
    for (const char c : text) key += static_cast<char>(0xFF - static_cast<unsigned char>(c));
    return key + '\xFF';  // a longer text sorts first
  }
};

class BlockListTest : public ::testing::Test {
 protected:
  UpperCaseCollation collation{kUpper};
  BlockList list{kUpper, collation};
};

TEST_F(BlockListTest, AddKeepsAscendingOrderIgnoringCaseAndTellsWhereTheEntryWent) {
  EXPECT_EQ(list.Add("zeta"), 0u);
  EXPECT_EQ(list.Add("Alpha"), 0u);
  EXPECT_EQ(list.Add("beta"), 1u);
  EXPECT_EQ(list.Add("\xE4pfel"), 3u);  // a-diaeresis upper-cases to 0xC4, after Z
  EXPECT_EQ(list.Entries(), (Entries{"Alpha", "beta", "zeta", "\xE4pfel"}));
  EXPECT_EQ(list.Count(), 4u);
  EXPECT_EQ(list.Entry(2), "zeta");
}

TEST_F(BlockListTest, AddTakesNoNoticeOfDuplicatesAndPutsThemAfterTheirEquals) {
  list.Add("Casino");
  list.Add("casino");
  list.Add("CASINO");
  list.Add("");
  EXPECT_EQ(list.Entries(), (Entries{"", "Casino", "casino", "CASINO"}));
}

TEST_F(BlockListTest, IndexOfComparesWholeEntriesIgnoringCase) {
  list.Assign({"Ads", "ads", "news", "\xC4rger"});
  EXPECT_EQ(list.IndexOf("ADS"), 0);  // the first of the two
  EXPECT_EQ(list.IndexOf("NeWs"), 2);
  EXPECT_EQ(list.IndexOf("\xE4rger"), 3);
  EXPECT_EQ(list.IndexOf("Ads "), -1);
  EXPECT_EQ(list.IndexOf("Ad"), -1);
  EXPECT_EQ(list.IndexOf(""), -1);
  list.Add("");
  EXPECT_EQ(list.IndexOf(""), 0);
}

TEST_F(BlockListTest, DeleteRemovesTheEntryAtTheIndexAndIgnoresOneOutOfRange) {
  list.Assign({"a", "b", "c"});
  list.Delete(1);
  EXPECT_EQ(list.Entries(), (Entries{"a", "c"}));
  list.Delete(2);
  EXPECT_EQ(list.Entries(), (Entries{"a", "c"}));
}

TEST_F(BlockListTest, AddAllGivesTheOrderOfAddingOneByOne) {
  std::mt19937 random(7);
  const std::string letters = "aAbB\xE4\xC4-";
  auto randomEntry = [&] {
    std::string entry(random() % 4, ' ');
    for (char& c : entry) c = letters[random() % letters.size()];
    return entry;
  };
  for (int round = 0; round < 20; ++round) {
    Entries first(30), second(30);
    for (auto& e : first) e = randomEntry();
    for (auto& e : second) e = randomEntry();

    BlockList oneByOne(kUpper, collation);
    for (const auto& e : first) oneByOne.Add(e);
    for (const auto& e : second) oneByOne.Add(e);

    BlockList bulk(kUpper, collation);
    bulk.AddAll(first);   // into an empty list
    bulk.AddAll(second);  // merged into one that has entries
    ASSERT_EQ(bulk.Entries(), oneByOne.Entries()) << "round " << round;
  }
}

TEST_F(BlockListTest, AddMissingSkipsWhatIsPresentAlsoAmongTheCandidates) {
  list.Assign({"Casino"});
  EXPECT_EQ(list.AddMissing({"casino", "poker", "POKER", "dice", "Dice "}), 3u);
  EXPECT_EQ(list.Entries(), (Entries{"Casino", "dice", "Dice ", "poker"}));
  EXPECT_EQ(list.AddMissing({"DICE"}), 0u);
}

TEST_F(BlockListTest, BothWaysOfAddingFollowTheGivenCollation) {
  ReverseCollation reverse;
  BlockList reversed(kUpper, reverse);
  reversed.AddAll({"b", "c", "a"});
  reversed.Add("bb");
  EXPECT_EQ(reversed.Entries(), (Entries{"c", "bb", "b", "a"}));
}

TEST_F(BlockListTest, TheMatcherFollowsEveryChangeOfTheEntries) {
  std::vector<std::uint32_t> found;
  auto matches = [&](std::string_view title) {
    list.Matcher().FindAll(title, found);
    return found;
  };
  EXPECT_TRUE(list.Matcher().empty());
  list.Add("news");
  EXPECT_EQ(matches("Daily NEWS"), (std::vector<std::uint32_t>{0}));
  list.AddAll({"daily"});
  EXPECT_EQ(matches("Daily NEWS"), (std::vector<std::uint32_t>{0, 1}));
  list.Delete(1);
  EXPECT_EQ(matches("Daily NEWS"), (std::vector<std::uint32_t>{0}));
  list.AddMissing({"sport"});
  EXPECT_EQ(matches("sport"), (std::vector<std::uint32_t>{1}));
  list.Assign({});
  EXPECT_TRUE(list.Matcher().empty());
}

TEST(UpperCaseCollationTest, ComparisonAndSortKeysAgree) {
  const UpperCaseCollation collation(kUpper);
  EXPECT_EQ(collation.Compare("abc", "ABC"), 0);
  EXPECT_EQ(collation.Compare("\xE4", "\xC4"), 0);
  EXPECT_LT(collation.Compare("ab", "abc"), 0);
  EXPECT_GT(collation.Compare("\xE4", "Z"), 0);  // bytes compare unsigned
  std::mt19937 random(3);
  for (int i = 0; i < 2000; ++i) {
    std::string a(random() % 3, ' '), b(random() % 3, ' ');
    for (char& c : a) c = static_cast<char>("aAzZ\xE4\xC4\x01\xFF"[random() % 8]);
    for (char& c : b) c = static_cast<char>("aAzZ\xE4\xC4\x01\xFF"[random() % 8]);
    const int byCompare = collation.Compare(a, b);
    const int byKey = collation.SortKey(a).compare(collation.SortKey(b));
    ASSERT_EQ(byCompare < 0, byKey < 0) << a << " / " << b;
    ASSERT_EQ(byCompare == 0, byKey == 0) << a << " / " << b;
  }
}

TEST(BlockListWithoutCollationTest, OrdersByTheUpperCasedBytes) {
  BlockList list(kUpper);
  list.AddAll({"b", "\xE4", "A"});
  list.Add("c");
  EXPECT_EQ(list.Entries(), (Entries{"A", "b", "c", "\xE4"}));
}

}  // namespace
}  // namespace vandrel
