// The real Vandrel.exe under Wine: the Erase command from its menu item.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "PopupHelper.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kSettingsKey = "Software\\Korvane\\Vandrel";
constexpr const char* kTypedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr WPARAM kEraseMenuItem = 2005;

class EraseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVandrelState();
    // Only the typed addresses: the rest of the prefix's traces stay as they are.
    for (const char* name : {"Cache", "All", "Recent", "TempFolder", "Recycled Bin", "Cookies", "Bookmarks",
                             "History", "MPlayer", "RealOne"}) {
      ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, name, "0"));
    }
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "LocationBar", "1"));
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "AutoStart", "0"));  // the scan leaves the frame alone
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://typed.example/"));
  }
  void TearDown() override {
    DeleteKeyTree(HKEY_CURRENT_USER, kTypedUrls);
    ResetVandrelState();
  }

  // The next box of the program with this text; answers it with `button`.
  void Answer(VandrelProcess& vandrel, const std::string& text, int button) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      box = vandrel.WaitForMessageBox(200);
      return box && VandrelProcess::MessageBoxText(box) == text;
    }, 10000)) << text;
    SendMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
  }
};

TEST_F(EraseTest, AnOpenBrowserIsAskedAboutUntilClosedThenThreePassesEraseTheTypedAddresses) {
  std::optional<PopupHelper> browser{std::in_place, std::initializer_list<PopupWindowSpec>{
                                                         {"IEFrame", "Page", true, true, true}}};
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
  Answer(vandrel, "Please close all browser windows and try again.", IDRETRY);
  // Still open: the same question again; then the browser goes.
  Answer(vandrel, "Please close all browser windows and try again.", IDRETRY);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default)) << "nothing erased while asking";
  browser.reset();
  Answer(vandrel, "Please close all browser windows and try again.", IDRETRY);
  Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
  Answer(vandrel, "Erase completed.", IDOK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default));
}

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return file ? text.str() : "<missing>";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The temporary folder full of links to canaries outside it, then a
// temporary folder that is itself a link to the canaries' folder: the erase
// removes the folder's own files and nothing of the canaries.
TEST_F(EraseTest, AHostileTemporaryFolderLosesItsOwnFilesAndNothingBehindItsLinks) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the links";
  const std::string root = scratch;
  const std::string outside = root + "\\outside";
  const std::string victim = root + "\\tree1\\victim";
  const struct {
    const char* path;
    const char* contents;
  } canaries[] = {{"\\precious.txt", "precious\n"},
                  {"\\sub\\p2.txt", "deeper precious\n"},
                  {"\\hard-target.txt", "hard-linked precious\n"}};
  WriteFileBytes(victim + "\\own.txt", "mine");
  WriteFileBytes(victim + "\\sub\\deeper\\own2.txt", "mine too");
  ASSERT_TRUE(SetFileAttributesA((victim + "\\own.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "LocationBar", "0"));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "TempFolder", "1"));

  for (const std::string& temp : {victim, root + "\\tree2\\rootlink"}) {
    SetEnvironmentVariableA("Temp", temp.c_str());  // the program inherits it
    VandrelProcess vandrel;
    SetEnvironmentVariableA("Temp", nullptr);
    const HWND main = vandrel.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
    Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
    Answer(vandrel, "Erase completed.", IDOK);
    for (const auto& canary : canaries) {
      EXPECT_EQ(Contents(outside + canary.path), canary.contents) << temp << canary.path;
    }
  }
  EXPECT_FALSE(Exists(victim + "\\own.txt")) << "read-only and hidden, yet its own";
  EXPECT_FALSE(Exists(victim + "\\sub\\deeper\\own2.txt"));
}

TEST_F(EraseTest, CancelAtTheConfirmationErasesNothing) {
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
  Answer(vandrel, "Are you sure to erase the selected files?", IDCANCEL);
  // The program answers again (its loop runs) and has shown nothing more.
  EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr), 0);
  EXPECT_EQ(vandrel.WaitForMessageBox(0), nullptr);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default));
}

}  // namespace
}  // namespace vandrel::test
