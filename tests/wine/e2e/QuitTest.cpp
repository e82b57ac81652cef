// The real Vandrel.exe under Wine: the quit of a registration run (what the
// uninstaller runs) that comes while a long erase works ends the erase at
// its next pump, and the program still writes its block list and exits.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kSettingsKey = "Software\\Korvane\\Vandrel";
constexpr WPARAM kEraseMenuItem = 2005;

bool Exists(const std::string& path) {
  const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());  // ASCII paths, any length
  return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class QuitTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetVandrelState(); }
  void TearDown() override { ResetVandrelState(); }
};

TEST_F(QuitTest, UnregisterDuringALargeEraseEndsItAndTheProgramExitsWithItsListWritten) {
  const char* scratch = std::getenv("VANDREL_E2E_QUIT");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the tree";
  const std::string big = std::string(scratch) + "\\big";
  ASSERT_TRUE(Exists(big + "\\d39\\f249.txt"));
  for (const char* name : {"Cache", "All", "Recent", "Recycled Bin", "Cookies", "Bookmarks", "History", "MPlayer",
                           "RealOne", "LocationBar", "AutoStart"}) {
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, name, "0"));
  }
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "TempFolder", "1"));
  SetEnvironmentVariableA("Temp", big.c_str());  // the program inherits it
  VandrelProcess vandrel;
  SetEnvironmentVariableA("Temp", nullptr);
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_FALSE(ReadFileBytes(TitlesPath()));
  PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
  const HWND box = vandrel.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(VandrelProcess::MessageBoxText(box), "Are you sure to erase the selected files?");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return vandrel.StatusText(0).value_or("").rfind("Erased: ", 0) == 0; }, 60000))
      << "the erase did not start";

  const DWORD asked = GetTickCount();
  VandrelProcess unregister({"Unregister"});
  ASSERT_TRUE(unregister.process().Wait(30000));
  const DWORD posted = GetTickCount();
  const bool exited = vandrel.process().Wait(120000);
  const DWORD exitedAfter = GetTickCount() - posted;
  std::printf("the Unregister run took %lu ms; the program exited %lu ms after it\n", posted - asked, exitedAfter);
  ASSERT_TRUE(exited);
  EXPECT_LT(exitedAfter, 5000u);
  EXPECT_TRUE(Exists(big + "\\d39\\f249.txt")) << "the erase ran on after the quit";
  EXPECT_TRUE(ReadFileBytes(TitlesPath())) << "the block list was not written at the exit";
}

}  // namespace
}  // namespace vandrel::test
