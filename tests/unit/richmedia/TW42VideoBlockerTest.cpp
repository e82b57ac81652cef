// The rich-media window's model against the in-memory registry: what each
// switch, profile and monitor pass writes, and where a refused write stops.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/PlatformError.h"
#include "platform/memory/MemoryRegistry.h"
#include "richmedia/TW42VideoBlocker.h"
#include "settings/SettingsKey.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

constexpr auto kCu = RootKey::CurrentUser;
constexpr auto kLm = RootKey::LocalMachine;

class RichMediaTest : public ::testing::Test {
 protected:
  std::optional<std::string> Text(const char* name) {
    const auto value = registry.ReadValue(kCu, kBrowserMainKey, name);
    if (!value) return std::nullopt;
    EXPECT_EQ(value->kind, ValueKind::String) << name;
    return value->text;
  }
  std::optional<std::uint32_t> Dword(RootKey root, const char* path, const std::string& name) {
    const auto value = registry.ReadValue(root, path, name);
    if (!value) return std::nullopt;
    EXPECT_EQ(value->kind, ValueKind::Dword) << name;
    return value->number;
  }
  std::optional<std::uint32_t> Stored(int number) { return Dword(kCu, kSettingsKeyPath, std::to_string(number)); }
  std::optional<std::uint32_t> Flags(const char* playerKey) { return Dword(kLm, playerKey, kCompatibilityFlagsValue); }
  std::optional<std::uint32_t> Java() { return Dword(kCu, kInternetZoneKey, kJavaPermissionsValue); }
  void Store(int number, std::uint32_t choice) {
    registry.WriteDword(kCu, kSettingsKeyPath, std::to_string(number), choice);
  }
  // Forgets every browser value, so that a test sees only what comes next.
  void ClearBrowserValues() {
    registry.DeleteKeyTree(kCu, kBrowserMainKey);
    registry.DeleteKeyTree(kCu, kInternetZoneKey);
    registry.DeleteKeyTree(kLm, kFlashPlayerKey);
    registry.DeleteKeyTree(kLm, kShockwavePlayerKey);
  }
  bool NoBrowserValues() {
    return registry.ValueCount(kCu, kBrowserMainKey) == 0 && !Java() && !Flags(kFlashPlayerKey) &&
           !Flags(kShockwavePlayerKey);
  }
  TW42VideoBlocker& Created() {
    form.FormCreate();
    return form;
  }
  // The monitor's state as the window shows it: the timer, the button and the picture.
  void ExpectMonitor(bool on) {
    EXPECT_EQ(form.MonitorOn(), on);
    EXPECT_EQ(form.Timer1.Enabled(), on);
    EXPECT_EQ(form.Button1.Caption(), on ? "Stop m&onitor" : "M&onitor");
    EXPECT_EQ(form.Image1.ImageIndex(), on ? 1 : 0);
  }

  MemoryRegistry registry;
  Settings settings;
  ScriptedPrompts prompts;
  TW42VideoBlocker form{registry, settings, prompts};
};

TEST_F(RichMediaTest, AFirstRunShowsYesEverywhereAndWritesNothing) {
  Created();
  EXPECT_EQ(form.Form.Caption(), "Vandrel");
  EXPECT_FALSE(form.Form.Visible());
  for (int tag = 1; tag <= 5; ++tag) {
    EXPECT_EQ(form.Switch(tag).ItemIndex(), 0) << tag;
    EXPECT_EQ(form.Switch(tag).Items, (std::vector<std::string>{"Yes", "No"}));
    EXPECT_FALSE(Stored(tag)) << tag;
  }
  EXPECT_EQ(form.RadioGroup6.ItemIndex(), -1);
  EXPECT_EQ(form.Switch(4).Caption(), "&Macromedia Shockwave && Flash Player");
  EXPECT_TRUE(NoBrowserValues());
  EXPECT_FALSE(form.MonitorOn());
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_EQ(form.Timer1.Interval(), 5000);
  EXPECT_EQ(form.Button1.Caption(), "M&onitor");
  EXPECT_EQ(form.Image1.ImageIndex(), 0);
}

TEST_F(RichMediaTest, TheStringSwitchesWriteYesOrNoAndStoreTheChoiceAsDword) {
  Created();
  const std::pair<int, const char*> switches[] = {
      {1, kInlineVideosValue}, {2, kAnimationsValue}, {3, kBackgroundSoundsValue}};
  for (const auto& [tag, valueName] : switches) {
    form.Switch(tag).SetItemIndex(1);
    EXPECT_EQ(Text(valueName), "No") << tag;
    EXPECT_EQ(Stored(tag), 1u) << tag;
    form.Switch(tag).SetItemIndex(0);
    EXPECT_EQ(Text(valueName), "Yes") << tag;
    EXPECT_EQ(Stored(tag), 0u) << tag;
  }
  EXPECT_EQ(registry.ValueCount(kCu, kBrowserMainKey), 3u);
}

TEST_F(RichMediaTest, PlayersNoSetsTheKillBitInBothKeysAndYesDeletesTheKeysWithSubkeys) {
  Created();
  form.Switch(4).SetItemIndex(1);
  EXPECT_EQ(Flags(kFlashPlayerKey), 0x400u);
  EXPECT_EQ(Flags(kShockwavePlayerKey), 0x400u);
  EXPECT_EQ(Stored(4), 1u);
  EXPECT_TRUE(registry.KeyExists(kCu, kBrowserMainKey));  // opened first, whatever the switch

  const std::string flashChild = std::string(kFlashPlayerKey) + "\\Vendor";
  registry.WriteString(kLm, kFlashPlayerKey, "Other", "third party");
  registry.WriteString(kLm, flashChild.c_str(), "Deep", "x");
  form.Switch(4).SetItemIndex(0);
  EXPECT_FALSE(registry.KeyExists(kLm, kFlashPlayerKey));
  EXPECT_FALSE(registry.KeyExists(kLm, flashChild));
  EXPECT_FALSE(registry.KeyExists(kLm, kShockwavePlayerKey));
  EXPECT_EQ(Stored(4), 0u);

  form.Switch(4).SetItemIndex(1);
  form.Switch(4).SetItemIndex(0);  // deleting is idempotent: nothing left to delete is no error
  registry.DeleteKeyTree(kLm, kFlashPlayerKey);
  EXPECT_NO_THROW(form.RadioGroupClick(4));
}

TEST_F(RichMediaTest, EachProfileSetsAllFiveSwitchesAndStoresThem) {
  Created();
  form.RadioGroup6.SetItemIndex(1);  // "No to all", as Block 100% selects it
  for (int tag = 1; tag <= 5; ++tag) {
    EXPECT_EQ(form.Switch(tag).ItemIndex(), 1) << tag;
    EXPECT_EQ(Stored(tag), 1u) << tag;
  }
  EXPECT_EQ(Text(kInlineVideosValue), "No");
  EXPECT_EQ(Text(kAnimationsValue), "No");
  EXPECT_EQ(Text(kBackgroundSoundsValue), "No");
  EXPECT_EQ(Flags(kShockwavePlayerKey), 0x400u);
  EXPECT_EQ(Java(), 0u);

  form.RadioGroup6.SetItemIndex(2);  // "Defaults": No, Yes, Yes, No, No
  const int defaults[] = {1, 0, 0, 1, 1};
  for (int tag = 1; tag <= 5; ++tag) {
    EXPECT_EQ(form.Switch(tag).ItemIndex(), defaults[tag - 1]) << tag;
    EXPECT_EQ(Stored(tag), static_cast<std::uint32_t>(defaults[tag - 1])) << tag;
  }
  EXPECT_EQ(Text(kAnimationsValue), "Yes");
  EXPECT_EQ(Text(kInlineVideosValue), "No");

  form.RadioGroup6.SetItemIndex(0);  // "Yes to all"
  for (int tag = 1; tag <= 5; ++tag) EXPECT_EQ(Stored(tag), 0u) << tag;
  EXPECT_EQ(Text(kInlineVideosValue), "Yes");
  EXPECT_FALSE(registry.KeyExists(kLm, kFlashPlayerKey));
  EXPECT_EQ(Java(), 0x10000u);
}

TEST_F(RichMediaTest, ChoosingTheProfileAlreadySelectedDoesNothing) {
  Created();
  form.RadioGroup6.SetItemIndex(1);
  form.Switch(2).SetItemIndex(0);  // a single switch changed; the profile still shows "No to all"
  EXPECT_EQ(form.RadioGroup6.ItemIndex(), 1);
  ClearBrowserValues();
  form.RadioGroup6.SetItemIndex(1);
  EXPECT_EQ(form.Switch(2).ItemIndex(), 0);
  EXPECT_EQ(Stored(2), 0u);
  EXPECT_TRUE(NoBrowserValues());
}

TEST_F(RichMediaTest, YesToAllRewritesOnlyTheSwitchesWhoseSelectionChanges) {
  Created();
  form.Switch(1).SetItemIndex(1);
  form.Switch(5).SetItemIndex(1);
  // Someone else changes the browser's values meanwhile.
  registry.WriteString(kCu, kBrowserMainKey, kAnimationsValue, "No");
  registry.WriteDword(kLm, kFlashPlayerKey, kCompatibilityFlagsValue, 0x400);
  registry.DeleteValue(kCu, kSettingsKeyPath, "2");

  form.RadioGroup6.SetItemIndex(0);
  EXPECT_EQ(Text(kInlineVideosValue), "Yes");
  EXPECT_EQ(Java(), 0x10000u);
  EXPECT_EQ(Text(kAnimationsValue), "No");    // its selection was "Yes" already
  EXPECT_EQ(Flags(kFlashPlayerKey), 0x400u);  // likewise
  EXPECT_EQ(Stored(2), 0u);                   // yet its stored choice is written again
}

TEST_F(RichMediaTest, AMonitorPassWithNothingStoredAssumesTheDefaults) {
  Created();
  form.Timer1Timer();
  EXPECT_EQ(Text(kInlineVideosValue), "No");
  EXPECT_FALSE(Text(kAnimationsValue));
  EXPECT_FALSE(Text(kBackgroundSoundsValue));
  EXPECT_EQ(Flags(kFlashPlayerKey), 0x400u);
  EXPECT_EQ(Flags(kShockwavePlayerKey), 0x400u);
  EXPECT_EQ(Java(), 0u);
  for (int tag = 1; tag <= 5; ++tag) EXPECT_FALSE(Stored(tag)) << "a pass stores nothing: " << tag;
}

TEST_F(RichMediaTest, AMonitorPassWritesOnlyNoAndNeverDeletesThePlayerKeys) {
  Created();
  for (int tag = 1; tag <= 5; ++tag) Store(tag, 0);
  registry.WriteString(kLm, kFlashPlayerKey, "Other", "kept");
  form.Timer1Timer();
  EXPECT_EQ(registry.ValueCount(kCu, kBrowserMainKey), 0u);
  EXPECT_FALSE(Java());
  EXPECT_TRUE(registry.KeyExists(kLm, kFlashPlayerKey));
  EXPECT_FALSE(Flags(kFlashPlayerKey));

  Store(2, 1);
  Store(3, 1);
  form.Timer1Timer();
  EXPECT_EQ(Text(kAnimationsValue), "No");
  EXPECT_EQ(Text(kBackgroundSoundsValue), "No");
  EXPECT_FALSE(Text(kInlineVideosValue));
}

TEST_F(RichMediaTest, TheMonitorButtonTogglesAndRunsAPassEachWay) {
  Created();
  form.Button1.Click();
  ExpectMonitor(true);
  EXPECT_EQ(Text(kInlineVideosValue), "No");

  ClearBrowserValues();
  form.Timer1.Fire();
  EXPECT_EQ(Java(), 0u);

  ClearBrowserValues();
  form.Button1.Click();
  ExpectMonitor(false);
  EXPECT_EQ(Text(kInlineVideosValue), "No") << "switching off performs one last pass";

  ClearBrowserValues();
  form.Timer1.Fire();  // a disabled timer does not tick
  EXPECT_TRUE(NoBrowserValues());
}

TEST_F(RichMediaTest, BanSelectedSwitchesTheMonitorOnAtCreation) {
  settings.BanSelected = true;
  Created();
  EXPECT_TRUE(form.MonitorOn());
  EXPECT_TRUE(form.Timer1.Enabled());
  EXPECT_EQ(form.Button1.Caption(), "Stop m&onitor");
  EXPECT_EQ(Flags(kShockwavePlayerKey), 0x400u);
}

TEST_F(RichMediaTest, AStoredNoIsShownAndAppliedAtCreation) {
  Store(3, 1);
  Store(5, 1);
  Store(2, 0);
  Created();
  EXPECT_EQ(form.Switch(3).ItemIndex(), 1);
  EXPECT_EQ(form.Switch(5).ItemIndex(), 1);
  EXPECT_EQ(form.Switch(2).ItemIndex(), 0);
  EXPECT_EQ(Text(kBackgroundSoundsValue), "No");
  EXPECT_EQ(Java(), 0u);
  EXPECT_FALSE(Text(kAnimationsValue)) << "a stored Yes leaves the browser alone";
}

TEST_F(RichMediaTest, StoredChoicesInOtherShapes) {
  registry.WriteString(kCu, kSettingsKeyPath, "1", "1");
  registry.WriteString(kCu, kSettingsKeyPath, "4", "maybe");
  Store(5, 7);
  registry.WriteOther(kCu, kSettingsKeyPath, "3");
  EXPECT_EQ(form.ReadSettings("1", 0), 1);
  EXPECT_EQ(form.ReadSettings("4", 9), 9);
  EXPECT_EQ(form.ReadSettings("5", 0), 7);
  EXPECT_EQ(form.ReadSettings("3", 4), 4);
  EXPECT_EQ(form.ReadSettings("2", 3), 3);

  Created();
  EXPECT_EQ(form.Switch(1).ItemIndex(), 1);
  EXPECT_EQ(Text(kInlineVideosValue), "No");
  EXPECT_EQ(form.Switch(5).ItemIndex(), 0) << "an out-of-range choice counts as Yes";
  EXPECT_FALSE(Java());
  form.Timer1Timer();
  EXPECT_FALSE(Java()) << "and the monitor does not take it for No";
  EXPECT_EQ(Flags(kFlashPlayerKey), 0x400u) << "a choice that is not a number takes the default";
}

TEST_F(RichMediaTest, ARefusedMachineWriteEndsTheClickAtThatStep) {
  Created();
  registry.DenyWrites(kLm, kShockwavePlayerKey);
  try {
    form.Switch(4).SetItemIndex(1);
    FAIL() << "the refused write must be raised";
  } catch (const PlatformError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Compatibility Flags'");
  }
  EXPECT_EQ(Stored(4), 1u);
  EXPECT_EQ(Flags(kFlashPlayerKey), 0x400u);
}

TEST_F(RichMediaTest, ARefusedMachineWriteEndsThePassWithOneBoxAndTheMonitorStaysOn) {
  Created();
  registry.DenyWrites(kLm, kFlashPlayerKey);
  // The timer comes due while the error box is up: no second pass, no second box.
  prompts.WhileNextBoxIsUp([&] { form.Timer1.Fire(); });
  form.Button1.Click();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, "Failed to set data for 'Compatibility Flags'");
  EXPECT_TRUE(form.MonitorOn());
  EXPECT_TRUE(form.Timer1.Enabled());
  EXPECT_EQ(Text(kInlineVideosValue), "No");
  EXPECT_FALSE(Flags(kShockwavePlayerKey));
  EXPECT_FALSE(Java());

  ClearBrowserValues();
  form.Timer1.Fire();  // the next pass, after the box, tries again
  EXPECT_EQ(prompts.Messages().size(), 2u);
  EXPECT_EQ(Text(kInlineVideosValue), "No");
}

TEST_F(RichMediaTest, ASettingsKeyThatCannotBeOpenedLosesTheChoiceSilently) {
  registry.DenyWrites(kCu, kSettingsKeyPath);
  Created();
  EXPECT_NO_THROW(form.Switch(1).SetItemIndex(1));
  EXPECT_EQ(Text(kInlineVideosValue), "No");
  EXPECT_FALSE(Stored(1));
  EXPECT_NO_THROW(form.RadioGroup6.SetItemIndex(0));
}

TEST_F(RichMediaTest, ASettingsKeyReadableButNotWritableLosesTheChoiceSilently) {
  Store(2, 0);  // the key exists, so it opens
  registry.DenyWrites(kCu, kSettingsKeyPath);
  Created();
  EXPECT_NO_THROW(form.Switch(1).SetItemIndex(1));
  EXPECT_EQ(Text(kInlineVideosValue), "No") << "the browser value is written all the same";
  EXPECT_FALSE(Stored(1));
  EXPECT_NO_THROW(form.RadioGroup6.SetItemIndex(1));
  EXPECT_EQ(Text(kAnimationsValue), "No");
  EXPECT_EQ(Stored(2), 0u);
}

TEST_F(RichMediaTest, CloseShowsTheNoticeThenHidesButTheCloseBoxJustHides) {
  Created();
  form.Form.SetVisible(true);
  form.Button4.Click();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(prompts.Messages()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(prompts.Messages()[0].text,
            "Any changes that you make will take an effect\r\nthe next time you open a new browser window or "
            "restart\r\nInternet Explorer (close all opened windows).");
  EXPECT_FALSE(form.Form.Visible());

  form.Form.SetVisible(true);
  form.Close();
  EXPECT_FALSE(form.Form.Visible());
  EXPECT_EQ(prompts.Messages().size(), 1u);
}

}  // namespace
}  // namespace vandrel
