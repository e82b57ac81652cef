#include <gtest/gtest.h>

#include "platform/PlatformError.h"
#include "platform/memory/MemoryRegistry.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"

namespace vandrel {
namespace {

constexpr auto kCu = RootKey::CurrentUser;

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
  EXPECT_EQ(record, Settings{});
  EXPECT_EQ(record.HomePageIE, "http://www.korvane.example/");
  EXPECT_EQ(record.SoundFile, "Pop.wav");
  EXPECT_TRUE(record.AutoStart);
  EXPECT_FALSE(record.LimitEnabled);
  EXPECT_EQ(record.TimerInterval, 100);
  EXPECT_TRUE(registry.KeyExists(kCu, "Software\\Korvane"));
  EXPECT_FALSE(registry.KeyExists(kCu, kSettingsKeyPath));
}

TEST_F(SettingsStoreTest, NumbersAndBooleansParseAsTheStoreReadsThem) {
  Put("LimitEnabled", "2");      // any non-zero integer is true
  Put("AutoStart", "yes");       // not a number: the default (true)
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
  values.RecycledBin = false;
  values.HomePageIE = "http://example.test/";
  values.SoundFile = "C:\\ding.wav";
  StoreSettings(registry, values);
  EXPECT_EQ(registry.ValueCount(kCu, kSettingsKeyPath), 27u);
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
