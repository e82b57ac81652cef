#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/memory/MemoryRegistry.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"

namespace vandrel {
namespace {

constexpr auto kCu = RootKey::CurrentUser;

using Named = std::vector<std::pair<std::string, std::string>>;

// The settings table written out: each value in the order the load reads it,
// with the text its default is stored as.
const Named kLoadTable{{"DeleteConfirm", "1"},
                       {"ExitConfirm", "1"},
                       {"LimitEnabled", "0"},
                       {"LimitWindows", "5"},
                       {"TimerInterval", "100"},
                       {"LimitClose", "0"},
                       {"LetClickedThrough", "1"},
                       {"Cache", "1"},
                       {"All", "0"},
                       {"LocationBar", "0"},
                       {"Recent", "1"},
                       {"TempFolder", "1"},
                       {"Recycled Bin", "1"},
                       {"Cookies", "1"},
                       {"Bookmarks", "0"},
                       {"History", "1"},
                       {"MPlayer", "1"},
                       {"RealOne", "1"},
                       {"ExitOnClose", "0"},
                       {"AutoStart", "1"},
                       {"AutoSuggest", "1"},
                       {"SetHomePage", "0"},
                       {"HomePageIE", "http://www.korvane.example/"},
                       {"StartWithWindows", "1"},
                       {"StartMinimized", "0"},
                       {"SoundEnabled", "1"},
                       {"SoundFile", "Pop.wav"},
                       {"BanSelected", "0"},
                       {"NoticeEnabled", "1"}};
// The order the store writes them in, with the same defaults.
const Named kStoreTable{{"DeleteConfirm", "1"},    {"ExitConfirm", "1"},
                        {"LimitEnabled", "0"},     {"LimitWindows", "5"},
                        {"TimerInterval", "100"},  {"LimitClose", "0"},
                        {"LetClickedThrough", "1"},
                        {"AutoSuggest", "1"},      {"ExitOnClose", "0"},
                        {"AutoStart", "1"},        {"Cache", "1"},
                        {"Cookies", "1"},          {"All", "0"},
                        {"LocationBar", "0"},      {"Recent", "1"},
                        {"TempFolder", "1"},       {"Recycled Bin", "1"},
                        {"Bookmarks", "0"},        {"History", "1"},
                        {"MPlayer", "1"},          {"RealOne", "1"},
                        {"SetHomePage", "0"},      {"HomePageIE", "http://www.korvane.example/"},
                        {"StartWithWindows", "1"}, {"StartMinimized", "0"},
                        {"BanSelected", "0"},      {"SoundEnabled", "1"},
                        {"SoundFile", "Pop.wav"}};

// The memory registry, noting the names of the values read and written in order.
class RecordingRegistry : public MemoryRegistry {
 public:
  std::vector<std::string> reads;
  Named writes;
  std::optional<RegistryValue> ReadValue(RootKey root, const std::string& path, const std::string& name) override {
    reads.push_back(name);
    return MemoryRegistry::ReadValue(root, path, name);
  }
  void WriteString(RootKey root, const std::string& path, const std::string& name, const std::string& data) override {
    writes.emplace_back(name, data);
    MemoryRegistry::WriteString(root, path, name, data);
  }
};

TEST(SettingsTableTest, NamesOrdersAndDefaultsAreThoseOfTheTable) {
  RecordingRegistry registry;
  Settings record;
  record.LimitWindows = 99;
  LoadSettings(registry, record);
  std::vector<std::string> loadNames;
  for (const auto& [name, text] : kLoadTable) loadNames.push_back(name);
  EXPECT_EQ(registry.reads, loadNames);
  StoreSettings(registry, record);  // what the load gave: the defaults
  EXPECT_EQ(registry.writes, kStoreTable);

  // Every stored value is read back into the field it came from.
  Named changed;
  for (const auto& [name, text] : kLoadTable) {
    const std::string other = text == "1" ? "0" : text == "0" ? "1" : text + "7";
    registry.WriteString(kCu, kSettingsKeyPath, name, other);
    changed.emplace_back(name, other);
  }
  LoadSettings(registry, record);
  registry.writes.clear();
  StoreSettings(registry, record);
  for (const auto& write : registry.writes) {
    EXPECT_NE(std::find(changed.begin(), changed.end(), write), changed.end()) << write.first;
  }
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, const std::string& text) {
    registry.WriteString(kCu, kSettingsKeyPath, name, text);
  }
  std::optional<std::string> Stored(const std::string& name) {
    auto value = registry.ReadValue(kCu, kSettingsKeyPath, name);
    if (!value) return std::nullopt;
    return value->text;
  }
  MemoryRegistry registry;
  Settings record;
};

TEST_F(SettingsStoreTest, WithoutAKeyEveryFieldTakesItsDefaultAndOnlyTheMakerKeyIsCreated) {
  record.LimitWindows = 99;
  record.SoundFile.clear();
  LoadSettings(registry, record);
  RecordingRegistry stored;
  StoreSettings(stored, record);
  EXPECT_EQ(stored.writes, kStoreTable);
  EXPECT_EQ(record.HomePageIE, "http://www.korvane.example/");
  EXPECT_EQ(record.SoundFile, "Pop.wav");
  EXPECT_TRUE(record.AutoStart);
  EXPECT_FALSE(record.LimitEnabled);
  EXPECT_EQ(record.TimerInterval, 100);
  EXPECT_TRUE(registry.KeyExists(kCu, "Software\\Korvane"));
  EXPECT_FALSE(registry.KeyExists(kCu, kSettingsKeyPath));
}

TEST_F(SettingsStoreTest, NumbersAndBooleansParseAsTheStoreReadsThem) {
  Put("LimitEnabled", "2");  // any non-zero integer is true
  Put("AutoStart", "yes");   // not a number: the default (true)
  Put("Cache", "0");
  Put("LimitWindows", "40");     // out of the dialog's range, kept as stored
  Put("TimerInterval", " 300");  // leading blanks are allowed
  Put("LimitClose", "1x");       // trailing junk does not parse
  Put("HomePageIE", "");         // an empty string is taken as it is
  LoadSettings(registry, record);
  EXPECT_TRUE(record.LimitEnabled);
  EXPECT_TRUE(record.AutoStart);
  EXPECT_FALSE(record.Cache);
  EXPECT_EQ(record.LimitWindows, 40);
  EXPECT_EQ(record.TimerInterval, 300);
  EXPECT_EQ(record.LimitClose, 0);
  EXPECT_EQ(record.HomePageIE, "");
}

TEST(ParseIntegerTest, AcceptsSignedDecimalsWithin32BitsOnly) {
  EXPECT_EQ(ParseInteger("-3"), -3);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger(""), std::nullopt);
  EXPECT_EQ(ParseInteger("   "), std::nullopt);
  EXPECT_EQ(ParseInteger("+-1"), std::nullopt);
  EXPECT_EQ(ParseInteger("0x10"), std::nullopt);
  EXPECT_EQ(ParseInteger("5 "), std::nullopt);
}

TEST_F(SettingsStoreTest, AWrongTypedValueKeepsItsDefaultTheLoadGoesOnAndTheFirstIsNamed) {
  Put("DeleteConfirm", "0");
  Put("Cache", "0");  // after the bad value in table order: still read
  registry.WriteDword(kCu, kSettingsKeyPath, "TimerInterval", 500);
  registry.WriteOther(kCu, kSettingsKeyPath, "History");
  try {
    LoadSettings(registry, record);
    FAIL() << "a DWORD value was not reported";
  } catch (const PlatformError& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'TimerInterval'");
  }
  EXPECT_FALSE(record.DeleteConfirm);
  EXPECT_EQ(record.TimerInterval, 100);
  EXPECT_FALSE(record.Cache);
  EXPECT_TRUE(record.History);

  // The next store writes back what the user had stored, not the defaults.
  registry.DeleteValue(kCu, kSettingsKeyPath, "TimerInterval");
  registry.DeleteValue(kCu, kSettingsKeyPath, "History");
  StoreSettings(registry, record);
  EXPECT_EQ(Stored("Cache"), "0");
}

TEST_F(SettingsStoreTest, ValueNamesAreMatchedWithoutRegardToCase) {
  Put("recycled bin", "0");
  LoadSettings(registry, record);
  EXPECT_FALSE(record.RecycledBin);
}

TEST_F(SettingsStoreTest, StoreWritesEveryValueAsTextAndALoadGivesTheSameRecord) {
  Settings values;
  values.LimitEnabled = true;
  values.LimitWindows = 12;
  values.TimerInterval = 2000;
  values.LimitClose = 1;
  values.LetClickedThrough = false;
  values.RecycledBin = false;
  values.HomePageIE = "http://example.test/";
  values.SoundFile = "C:\\ding.wav";
  StoreSettings(registry, values);
  EXPECT_EQ(registry.ValueCount(kCu, kSettingsKeyPath), 28u);
  EXPECT_EQ(Stored("LimitEnabled"), "1");
  EXPECT_EQ(Stored("Recycled Bin"), "0");
  EXPECT_EQ(Stored("LimitWindows"), "12");
  LoadSettings(registry, record);
  EXPECT_EQ(record, values);
}

TEST_F(SettingsStoreTest, WithTheSoundOffTheStoredFileNameIsKept) {
  Put("SoundFile", "old.wav");
  Settings values;
  values.SoundEnabled = false;
  values.SoundFile = "new.wav";
  StoreSettings(registry, values);
  EXPECT_EQ(Stored("SoundFile"), "old.wav");
  EXPECT_EQ(Stored("SoundEnabled"), "0");
}

TEST_F(SettingsStoreTest, ARefusedWriteNamesTheValueAndWritesNothingAfterIt) {
  registry.DenyWrites(kCu, kSettingsKeyPath);
  try {
    StoreSettings(registry, Settings{});
    FAIL() << "a refused write was not reported";
  } catch (const PlatformError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'DeleteConfirm'");
  }
  EXPECT_EQ(registry.ValueCount(kCu, kSettingsKeyPath), 0u);
}

TEST_F(SettingsStoreTest, ASingleValueWriteChangesOnlyThatValue) {
  StoreBoolSetting(registry, "ExitConfirm", false);
  EXPECT_EQ(Stored("ExitConfirm"), "0");
  EXPECT_EQ(registry.ValueCount(kCu, kSettingsKeyPath), 1u);
}

}  // namespace
}  // namespace vandrel
