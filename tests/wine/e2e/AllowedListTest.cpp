// The real Vandrel.exe under Wine: the always-allowed list's window opened by
// the main window's command and driven through its controls, and the list's
// file across a restart and when it is damaged.
#include <gtest/gtest.h>

#include <algorithm>

#include "BrowserAddresses.h"
#include "PopupHelper.h"
#include "ScanTicks.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"
#include "app/CommandIds.h"

namespace vandrel::test {
namespace {

constexpr int kEntries = 101, kKind = 104, kEntryText = 106, kAdd = 107;

class AllowedListTest : public VandrelTest {
 protected:
  static HWND Open(VandrelProcess& vandrel) {
    PostMessageA(vandrel.WaitForMainWindow(), WM_COMMAND, kCmdAllowedList1, 0);
    const HWND window = vandrel.WaitForWindowOfClass("VandrelAllowedList");
    return WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000) ? window : nullptr;
  }
  static std::vector<std::string> Shown(HWND window) {
    const HWND list = GetDlgItem(window, kEntries);
    std::vector<std::string> items;
    for (LRESULT i = 0, count = SendMessageW(list, LB_GETCOUNT, 0, 0); i < count; ++i) {
      wchar_t text[300] = {};  // a window of wide text
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      char narrow[600] = {};
      WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
      items.emplace_back(narrow);
    }
    return items;
  }

  const std::string path = FileBesideVandrel("allowed.dat");
};

TEST_F(AllowedListTest, ASiteTypedWithItsAddressIsCutToItsHostAndKeptAcrossARestart) {
  ASSERT_TRUE(WriteFileBytes(path, ScrambledTitles({"TDaily Mail"})));
  {
    VandrelProcess vandrel;
    const HWND window = Open(vandrel);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Shown(window), std::vector<std::string>{"Title: Daily Mail"});
    const HWND kind = GetDlgItem(window, kKind);
    SendMessageA(kind, CB_SETCURSEL, 1, 0);  // "Site"
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(kKind, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kind));
    SetDlgItemTextA(window, kEntryText, "http://Mail.Example.com/inbox");
    PostMessageA(GetDlgItem(window, kAdd), BM_CLICK, 0, 0);  // the note's box runs its own loop
    const HWND note = vandrel.WaitForMessageBox();
    ASSERT_NE(note, nullptr);
    EXPECT_NE(VandrelProcess::MessageBoxText(note).find("mail.example.com"), std::string::npos);
    SendMessageA(GetDlgItem(note, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
          return ReadScrambledTitles(path) == std::vector<std::string>{"TDaily Mail", "Smail.example.com"};
        },
        5000));
    EXPECT_TRUE(vandrel.Quit());
  }
  VandrelProcess again;
  const HWND window = Open(again);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Shown(window), (std::vector<std::string>{"Title: Daily Mail", "Site: mail.example.com"}));
}

TEST_F(AllowedListTest, ADamagedFileIsReportedAtEachStartAndWrittenOverOnlyWhenTheUserChangesTheList) {
  const std::string damaged = ScrambledTitles({"TDaily Mail", "Xno such kind", "Smail.example.com"});
  ASSERT_TRUE(WriteFileBytes(path, damaged));
  const auto startAndOpen = [&](VandrelProcess& vandrel) -> HWND {
    const HWND box = vandrel.WaitForMessageBox();
    if (!box) return nullptr;
    const std::string text = VandrelProcess::MessageBoxText(box);
    EXPECT_EQ(text.rfind("Some entries of the always-allowed list could not be read", 0), 0u) << text;
    // The file as it was is kept beside it, where the box says.
    const std::string keptIn = "The file as it was is kept in ";
    const auto at = text.find(keptIn);
    EXPECT_NE(at, std::string::npos) << text;
    if (at != std::string::npos) {
      std::string copy = text.substr(at + keptIn.size());
      if (!copy.empty() && copy.back() == '.') copy.pop_back();
      EXPECT_EQ(ReadFileBytes(copy), damaged) << copy;
    }
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    const HWND window = Open(vandrel);
    EXPECT_EQ(Shown(window), (std::vector<std::string>{"Title: Daily Mail", "Site: mail.example.com"}));
    return window;
  };
  {
    VandrelProcess vandrel;
    ASSERT_NE(startAndOpen(vandrel), nullptr);
    EXPECT_TRUE(vandrel.Quit());
    EXPECT_EQ(ReadFileBytes(path), damaged);
  }
  // The user's own change writes what the list holds.
  VandrelProcess again;
  const HWND window = startAndOpen(again);
  ASSERT_NE(window, nullptr);
  SetDlgItemTextA(window, kEntryText, "Forecast");
  SendMessageA(GetDlgItem(window, kAdd), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return ReadScrambledTitles(path) == std::vector<std::string>{"TDaily Mail", "Smail.example.com", "TForecast"};
      },
      5000));
}

// A webmail's compose window is a sized frame (no maximise box), which the
// class pass takes: the allowed site's stays, another site's goes.
TEST_F(AllowedListTest, AnAllowedSitesSizedPopUpStaysWhileAnotherSitesIsClosed) {
  BrowserAddresses addresses;
  ASSERT_TRUE(addresses.Ready());
  std::vector<std::string> entries = ReadScrambledTitles(path);
  if (std::find(entries.begin(), entries.end(), "Smail.example.com") == entries.end()) {
    entries.push_back("Smail.example.com");
    ASSERT_TRUE(WriteFileBytes(path, ScrambledTitles(entries)));
  }
  const PopupWindowSpec compose{"IEFrame", "Compose - Microsoft Internet Explorer", true, false, true};
  const PopupWindowSpec offer{"IEFrame", "Offer - Microsoft Internet Explorer", true, false, true};
  PopupHelper helper{compose, offer, TickWitness(), BarrierWindow()};
  ASSERT_TRUE(addresses.Set(helper.Window(0), "http://mail.example.com/compose"));
  ASSERT_TRUE(addresses.Set(helper.Window(1), "http://offers.example.net/"));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(WaitForScanTicks(helper, 2, 3, 3));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
  EXPECT_GE(helper.ClosesReceived(1), 1);
}

}  // namespace
}  // namespace vandrel::test
