// The real Vandrel.exe under Wine: the browser toolbar button that the
// Register and Unregister runs write into the machine-wide registry, and its
// icons in the exe.
#include <gtest/gtest.h>

#include <algorithm>

#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

// Another vendor's button in the 64-bit view, recorded under the same text:
// a registration run must neither find nor remove it.
constexpr const char* kCanaryId = "{0C0C0C0C-1111-2222-3333-444455556666}";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string ExtensionKey(const std::string& id) { return std::string(kBrowserExtensionsKey) + "\\" + id; }

// A string value's text, "<missing>" or "<type N>" otherwise.
std::string Text(const std::string& path, const std::string& name, View view = View::Wow32) {
  const auto raw = ReadRaw(HKEY_LOCAL_MACHINE, path, name, view);
  if (!raw) return "<missing>";
  if (raw->type != REG_SZ) return "<type " + std::to_string(raw->type) + ">";
  std::string text = raw->bytes;
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

std::vector<std::string> Added(const std::vector<std::string>& before) {
  std::vector<std::string> added;
  for (const auto& name : SubkeyNames(HKEY_LOCAL_MACHINE, kBrowserExtensionsKey, View::Wow32)) {
    if (std::find(before.begin(), before.end(), name) == before.end()) added.push_back(name);
  }
  return added;
}

class ToolbarButtonTest : public VandrelTest {
 protected:
  void SetUp() override {
    VandrelTest::SetUp();
    const std::string id = kCanaryId;
    ASSERT_TRUE(WriteRaw(HKEY_LOCAL_MACHINE, ExtensionKey(id), "ButtonText", REG_SZ, "theirs", 7, View::Wow64));
    ASSERT_TRUE(WriteRaw(HKEY_LOCAL_MACHINE, kToolbarButtonsKey, kToolbarButtonText, REG_SZ, id.c_str(),
                         static_cast<DWORD>(id.size() + 1), View::Wow64));
    before_ = SubkeyNames(HKEY_LOCAL_MACHINE, kBrowserExtensionsKey, View::Wow32);
  }
  void TearDown() override {
    AllowAllAccess(HKEY_LOCAL_MACHINE, kToolbarButtonsKey);
    VandrelTest::TearDown();
    DeleteKeyTree(HKEY_LOCAL_MACHINE, ExtensionKey(kCanaryId), View::Wow64);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\IE5Tools", View::Wow64);
  }
  static std::optional<DWORD> Run(const char* argument) {
    VandrelProcess run({argument});
    EXPECT_TRUE(run.process().Wait(15000)) << argument << " kept running";
    return run.process().ExitCode();
  }
  void ExpectCanaryUntouched() {
    EXPECT_EQ(Text(ExtensionKey(kCanaryId), "ButtonText", View::Wow64), "theirs");
    EXPECT_EQ(Text(kToolbarButtonsKey, kToolbarButtonText, View::Wow64), kCanaryId);
  }
  std::vector<std::string> before_;
};

TEST_F(ToolbarButtonTest, RegisterWritesOneButtonInTheBrowsersViewAndUnregisterRemovesIt) {
  ASSERT_EQ(Run("Register"), 0u);
  const auto first = Added(before_);
  ASSERT_EQ(first.size(), 1u);
  const std::string id = first[0];
  const std::string key = ExtensionKey(id);
  const std::string exe = Lower(VandrelPath());
  EXPECT_EQ(Text(key, "Default Visible"), "Yes");
  EXPECT_EQ(Text(key, "ButtonText"), "P&&ZAVO");
  EXPECT_EQ(Lower(Text(key, "HotIcon")), exe + ",1000");
  EXPECT_EQ(Lower(Text(key, "Icon")), exe + ",1001");
  EXPECT_EQ(Text(key, "CLSID"), "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}");
  EXPECT_EQ(Lower(Text(key, "Exec")), exe);
  EXPECT_EQ(Text(kToolbarButtonsKey, kToolbarButtonText), id);
  ExpectCanaryUntouched();

  ASSERT_EQ(Run("Register"), 0u);
  const auto second = Added(before_);
  ASSERT_EQ(second.size(), 1u) << "the first button was left behind";
  EXPECT_NE(second[0], id);
  EXPECT_EQ(Text(kToolbarButtonsKey, kToolbarButtonText), second[0]);

  ASSERT_EQ(Run("Unregister"), 0u);
  EXPECT_EQ(SubkeyNames(HKEY_LOCAL_MACHINE, kBrowserExtensionsKey, View::Wow32), before_);
  EXPECT_EQ(Text(kToolbarButtonsKey, kToolbarButtonText), "<missing>");
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kToolbarButtonsKey, View::Wow32));
  ExpectCanaryUntouched();
}

TEST_F(ToolbarButtonTest, ARefusedMachineWideWriteIsReportedAndLeavesNoButton) {
  ASSERT_TRUE(DenyAllAccess(HKEY_LOCAL_MACHINE, kToolbarButtonsKey));
  VandrelProcess registering({"Register"});
  const HWND box = registering.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "the refusal was not reported";
  EXPECT_EQ(VandrelProcess::MessageBoxText(box), "Failed to set data for 'P&&ZAVO'");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(registering.process().Wait(10000));
  EXPECT_EQ(registering.process().ExitCode(), 1u);
  EXPECT_TRUE(Added(before_).empty()) << "an extension key no record names was left";
  EXPECT_FALSE(
      ReadRaw(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Vandrel", View::Default));
  ExpectCanaryUntouched();
}

// The icon group's directory: each image's size and colour depth.
std::vector<std::pair<int, int>> IconImages(HMODULE module, int group) {
  std::vector<std::pair<int, int>> images;
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(group), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  if (!found) return images;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  const WORD count = *reinterpret_cast<const WORD*>(bytes + 4);
  for (WORD at = 0; at < count; ++at) {
    const BYTE* entry = bytes + 6 + 14 * at;  // width, height, colours, reserved, planes, bit count, ...
    images.emplace_back(entry[0], *reinterpret_cast<const WORD*>(entry + 6));
  }
  return images;
}

TEST_F(ToolbarButtonTest, TheExeHoldsTheHotAndNormalIconsAtBothSizes) {
  const UniqueModule exe(LoadLibraryExA(VandrelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(exe);
  for (int group : {1000, 1001}) {
    auto images = IconImages(exe.get(), group);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 32}, {20, 8}, {20, 32}})) << group;
    for (int size : {16, 20}) {
      const UniqueIcon icon(
          static_cast<HICON>(LoadImageA(exe.get(), MAKEINTRESOURCEA(group), IMAGE_ICON, size, size, 0)));
      ASSERT_TRUE(icon) << group << " at " << size;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon.get(), &info));
      const UniqueGdiObject color(info.hbmColor);
      const UniqueGdiObject mask(info.hbmMask);
      BITMAP bitmap{};
      GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, size) << group;
      EXPECT_EQ(bitmap.bmHeight, size) << group;
    }
  }
}

}  // namespace
}  // namespace vandrel::test
