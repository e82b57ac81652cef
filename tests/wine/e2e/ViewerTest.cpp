// The real Vandrel.exe under Wine: the index.dat viewer from Tools / Demo,
// over the index files that wininet keeps in the test prefix.
#include <windows.h>
#include <commctrl.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "FolderSnapshot.h"
#include "Keyboard.h"
#include "RegistryReset.h"
#include "TrayIcon.h"
#include "ShellFolderOverride.h"
#include "platform/win32/Handles.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr WPARAM kDemoMenuItem = 2007, kEraseMenuItem = 2005;
constexpr int kViewId = 401, kEraseId = 402, kExitId = 403, kIntroductionId = 404, kHistoryBoxId = 405,
              kHistoryMemoId = 410, kGaugeId = 420, kStopId = 421;
const std::string kHost = "vandrel-viewer.test";

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return file ? text.str() : "<missing>";
}

// What the viewer must show for `size` bytes of `bytes`, worked out here
// byte by byte: 26 characters a line, control bytes as dots, the last line
// filled up with spaces.
std::string Dumped(const std::string& bytes, std::size_t size) {
  std::string text;
  for (std::size_t line = 0; line * 26 < size; ++line) {
    for (std::size_t column = 0; column < 26; ++column) {
      const std::size_t at = line * 26 + column;
      const auto byte = at < size ? static_cast<unsigned char>(bytes[at]) : ' ';
      text += byte < 0x20 ? '.' : static_cast<char>(byte);
    }
    text += "\r\n";
  }
  return text;
}

std::string ShellFolder(const char* name) {
  const auto value = ReadRaw(HKEY_CURRENT_USER, kShellFolders, name, View::Default);
  if (!value || value->bytes.empty()) return {};
  return std::string(value->bytes.c_str());
}

DWORD_PTR LengthOf(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  return length;
}

std::string TextOf(HWND window) {
  std::string text(LengthOf(window) + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(copied);
  return text;
}

// The clipboard's CF_TEXT, or its CF_UNICODETEXT turned back into the
// code page the system made it from; "<none>" when it holds none. Format 0
// empties it.
std::string Clipboard(UINT format = CF_TEXT) {
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return "<busy>";
  std::string text = "<none>";
  if (const HANDLE data = GetClipboardData(format)) {
    const void* locked = GlobalLock(data);
    if (format == CF_TEXT) text = static_cast<const char*>(locked);
    if (format == CF_UNICODETEXT) {
      const std::wstring wide = static_cast<const wchar_t*>(locked);
      text.assign(wide.size() * 2, '\0');
      text.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                      static_cast<int>(text.size()), nullptr, nullptr));
    }
    GlobalUnlock(data);
  }
  if (format == 0) EmptyClipboard();
  CloseClipboard();
  return text;
}

std::pair<DWORD, DWORD> SelectionOf(HWND memo) {
  DWORD start = 0, end = 0;
  SendMessageA(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

// Leaves a page, a visit and a cookie of the test's host in wininet's three containers.
void AddTraces() {
  const std::string page = "http://" + kHost + "/viewer-page.html";
  char fileName[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(page.c_str(), 0, "html", fileName, 0)) << GetLastError();
  const HANDLE file = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "<html></html>", 13, &written, nullptr);
  CloseHandle(file);
  const FILETIME none{};
  ASSERT_TRUE(
      CommitUrlCacheEntryA(page.c_str(), fileName, none, none, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
  ASSERT_TRUE(CommitUrlCacheEntryA(("Visited: vandrel@" + page).c_str(), nullptr, none, none,
                                   URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
  ASSERT_TRUE(
      InternetSetCookieA(("http://" + kHost + "/").c_str(), "vandrel", "yes; expires=Fri, 01-Jan-2038 00:00:00 GMT"));
}

class ViewerTest : public VandrelTest {
 protected:
  void SetUp() override {
    VandrelTest::SetUp();
    Set("AutoStart", "0");
    for (const char* name : {"History", "Cache", "Cookies"}) saved_[Index(name)] = ShellFolder(name);
    AddTraces();
    if (HasFatalFailure()) return;
    indexFiles_[0] = saved_[0] + "\\History.IE5\\index.dat";
    indexFiles_[1] = saved_[1] + "\\Content.IE5\\index.dat";
    indexFiles_[2] = saved_[2] + "\\index.dat";
  }
  void TearDown() override {
    for (const char* name : {"History", "Cache", "Cookies"}) {
      if (!saved_[Index(name)].empty()) WriteString(HKEY_CURRENT_USER, kShellFolders, name, saved_[Index(name)]);
    }
    VandrelTest::TearDown();
    if (!scratch_.empty()) {
      DeleteFileA((scratch_ + "\\History.IE5\\index.dat").c_str());
      RemoveDirectoryA((scratch_ + "\\History.IE5").c_str());
      RemoveDirectoryA(scratch_.c_str());
    }
  }
  static int Index(const std::string& name) { return name == "History" ? 0 : name == "Cache" ? 1 : 2; }

  // Opens the viewer from its menu item; null when it does not show.
  HWND OpenViewer(VandrelProcess& vandrel) {
    const HWND main = vandrel.WaitForMainWindow();
    if (!main) return nullptr;
    const HWND viewer = vandrel.WaitForWindowOfClass("TDemo");
    if (!viewer || IsWindowVisible(viewer)) return nullptr;  // made hidden at start-up
    PostMessageA(main, WM_COMMAND, kDemoMenuItem, 0);
    return WaitUntil([&] { return IsWindowVisible(viewer) != FALSE; }, 10000) ? viewer : nullptr;
  }
  static void Click(HWND viewer, int id) {
    PostMessageA(viewer, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(viewer, id)));
  }
  // View has ended when Erase is enabled again.
  static bool WaitForViewToEnd(HWND viewer) {
    return WaitUntil([&] { return IsWindowEnabled(GetDlgItem(viewer, kEraseId)) != FALSE; }, 60000);
  }
  static HWND Memo(HWND viewer, int index) { return GetDlgItem(viewer, kHistoryMemoId + index); }
  void Answer(VandrelProcess& vandrel, const std::string& text) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          box = vandrel.WaitForMessageBox(200);
          return box && VandrelProcess::MessageBoxText(box) == text;
        },
        10000))
        << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
  }

  // Points the history's shell folder at a scratch folder whose index file
  // holds `bytes`; its path.
  std::string UseHistoryOfOurOwn(const std::string& bytes) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    scratch_ = std::string(temp) + "vandrel-viewer-history";
    CreateDirectoryA(scratch_.c_str(), nullptr);
    CreateDirectoryA((scratch_ + "\\History.IE5").c_str(), nullptr);
    const std::string file = scratch_ + "\\History.IE5\\index.dat";
    EXPECT_TRUE(WriteFileBytes(file, bytes));
    EXPECT_TRUE(WriteString(HKEY_CURRENT_USER, kShellFolders, "History", scratch_));
    return file;
  }

  std::string saved_[3];
  std::string indexFiles_[3];
  std::string scratch_;
};

TEST_F(ViewerTest, ViewShowsEachIndexFileByteForByteAndEscClosesTheWindow) {
  VandrelProcess vandrel;
  const HWND viewer = OpenViewer(vandrel);
  ASSERT_NE(viewer, nullptr);
  RECT client{};
  GetClientRect(viewer, &client);
  EXPECT_EQ(client.right, 653);
  EXPECT_EQ(client.bottom, 368);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(viewer, kEraseId))) << "no Erase before a View";
  EXPECT_NE(TextOf(GetDlgItem(viewer, kIntroductionId)).find("click Erase button."), std::string::npos);

  Click(viewer, kViewId);
  ASSERT_TRUE(WaitForViewToEnd(viewer));
  for (int index = 0; index < 3; ++index) {
    const std::string bytes = Contents(indexFiles_[index]);
    ASSERT_NE(bytes, "<missing>") << indexFiles_[index];
    EXPECT_EQ(TextOf(Memo(viewer, index)), Dumped(bytes, bytes.size())) << indexFiles_[index];
  }
  std::string unbroken;
  for (const char c : TextOf(Memo(viewer, 1))) {
    if (c != '\r' && c != '\n') unbroken += c;
  }
  EXPECT_NE(unbroken.find(kHost), std::string::npos) << "the cache's index names the page";
  EXPECT_EQ(SendMessageA(GetDlgItem(viewer, kGaugeId), PBM_GETPOS, 0, 0),
            SendMessageA(GetDlgItem(viewer, kGaugeId), PBM_GETRANGE, FALSE, 0));

  PostMessageA(Memo(viewer, 0), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(viewer); }, 5000));
  EXPECT_EQ(TextOf(Memo(viewer, 0)), "") << "Exit demo empties the memos";
}

// A 256 MB history index: the close box, Esc and a second View arrive while
// it is read and while it is dumped, and are refused; Stop ends the dump
// with a partial line, and the next files are shown whole. Under Wine the
// viewer answers the first question of the dump only a few hundred ms in,
// and a 50 MB dump was then often over before Stop came: this one lasts
// over a second.
TEST_F(ViewerTest, WhileALongDumpRunsCloseAndEscAreRefusedAndStopEndsIt) {
  std::string big(256u << 20, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 4096);
  const std::string bigFile = UseHistoryOfOurOwn(big);

  VandrelProcess vandrel;
  const HWND viewer = OpenViewer(vandrel);
  ASSERT_NE(viewer, nullptr);
  const auto refuseAll = [&] {
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    PostMessageA(Memo(viewer, 0), WM_KEYDOWN, VK_ESCAPE, 0);
    Click(viewer, kViewId);
  };
  Click(viewer, kViewId);
  refuseAll();  // they arrive while the file is read
  ASSERT_TRUE(WaitUntil([&] { return LengthOf(Memo(viewer, 0)) != 0; }, 30000, 1));
  refuseAll();  // and while it is dumped
  Click(viewer, kStopId);
  ASSERT_TRUE(WaitForViewToEnd(viewer));
  EXPECT_TRUE(IsWindowVisible(viewer));

  const std::string shown = TextOf(Memo(viewer, 0));
  ASSERT_GT(shown.size(), 0u);
  ASSERT_EQ(shown.size() % 28, 0u);
  const std::size_t lines = shown.size() / 28;
  ASSERT_LT(lines * 26, big.size()) << "stopped before the end";
  // Every line but the last is whole; the last holds the bytes up to the stop.
  const std::size_t lastLine = (lines - 1) * 26;
  ASSERT_EQ(shown.substr(0, lastLine / 26 * 28), Dumped(big, lastLine));
  bool matchesAStop = false;
  for (std::size_t stop = lastLine + 1; stop <= lines * 26 && !matchesAStop; ++stop) {
    matchesAStop = shown.substr(lastLine / 26 * 28) == Dumped(big.substr(lastLine, 26), stop - lastLine);
  }
  EXPECT_TRUE(matchesAStop) << "the dump of the bytes before the stop";
  const std::string cache = Contents(indexFiles_[1]);
  EXPECT_EQ(TextOf(Memo(viewer, 1)), Dumped(cache, cache.size()));

  PostMessageA(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(viewer); }, 5000)) << "idle again: the close is allowed";
}

// A 32 MB dump, selected with the mouse, Shift and the caret keys, Ctrl+A
// and the context menu, copied with Ctrl+C, Ctrl+Insert and the menu.
TEST_F(ViewerTest, TheDumpIsSelectedAndCopiedByKeysMouseAndContextMenu) {
  std::string bytes(32u << 20, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 4096);
  UseHistoryOfOurOwn(bytes);
  const std::string dump = Dumped(bytes, bytes.size());
  VandrelProcess vandrel;
  const HWND viewer = OpenViewer(vandrel);
  ASSERT_NE(viewer, nullptr);
  for (const int box : {kHistoryBoxId + 1, kHistoryBoxId + 2}) SendMessageA(GetDlgItem(viewer, box), BM_CLICK, 0, 0);
  Click(viewer, kViewId);
  ASSERT_TRUE(WaitForViewToEnd(viewer));
  const HWND memo = Memo(viewer, 0);
  ASSERT_EQ(LengthOf(memo), dump.size());
  Clipboard(0);  // emptied

  // A click at the first character, Shift+Right, Shift+Down, Shift+End and Ctrl+Insert.
  PostMessageA(memo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  PostMessageA(memo, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  ASSERT_TRUE(WaitUntil([&] { return FocusedId(viewer) == kHistoryMemoId; }, 5000));
  PressKeys(viewer, {VK_SHIFT, VK_RIGHT});
  PressKeys(viewer, {VK_SHIFT, VK_DOWN});
  PressKeys(viewer, {VK_SHIFT, VK_END});
  PressKeys(viewer, {VK_CONTROL, VK_INSERT});
  EXPECT_TRUE(WaitUntil([&] { return Clipboard() == dump.substr(0, 28 + 26); }, 5000));

  // The context menu from the keyboard's place: Copy copies, Select All selects all.
  PressKeys(viewer, {VK_RIGHT});
  PressKeys(viewer, {VK_SHIFT, VK_RIGHT});
  // Keys wait behind posted messages: the menu comes once they are taken.
  const std::pair<DWORD, DWORD> third{56, 57}, all{0, static_cast<DWORD>(dump.size())};
  ASSERT_TRUE(WaitUntil([&] { return SelectionOf(memo) == third; }, 5000));
  const auto contextMenu = [memo] {
    PostMessageA(memo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo), -1);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = VisibleMenu()) != nullptr; }, 5000);
    return menu;
  };
  ASSERT_TRUE(ChooseFromMenu(contextMenu(), {VK_DOWN}));
  EXPECT_TRUE(WaitUntil([&] { return Clipboard() == dump.substr(56, 1); }, 5000)) << Clipboard();
  ASSERT_TRUE(ChooseFromMenu(contextMenu(), {VK_DOWN, VK_DOWN}));
  EXPECT_TRUE(WaitUntil([&] { return SelectionOf(memo) == all; }, 5000));

  // All of it, by Ctrl+A and Ctrl+C, while the window keeps answering.
  PressKeys(viewer, {VK_HOME});
  PressKeys(viewer, {VK_CONTROL, 'A'});
  ASSERT_TRUE(WaitUntil([&] { return SelectionOf(memo) == all; }, 5000));
  PressKeys(viewer, {VK_CONTROL, 'C'});
  EXPECT_TRUE(vandrel.Answers(5000));
  EXPECT_TRUE(WaitUntil([&] { return Clipboard().size() == dump.size(); }, 30000));
  EXPECT_TRUE(Clipboard() == dump && Clipboard(CF_UNICODETEXT) == dump) << "the whole dump";
}

// Tab and Shift+Tab in the order of the window's controls (Erase, disabled
// before a View, is passed by); Space and Enter press the focused button;
// Esc closes the window also when View has the focus.
TEST_F(ViewerTest, TabGoesThroughTheControlsInOrderAndTheKeysPressButtonsAndClose) {
  VandrelProcess vandrel;
  const HWND viewer = OpenViewer(vandrel);
  ASSERT_NE(viewer, nullptr);
  const int order[] = {kViewId,
                       kExitId,
                       kIntroductionId,
                       kHistoryBoxId,
                       kHistoryBoxId + 1,
                       kHistoryBoxId + 2,
                       kHistoryMemoId,
                       kHistoryMemoId + 1,
                       kHistoryMemoId + 2,
                       kStopId,
                       kViewId};
  for (const int id : order) {
    PressKeys(viewer, {VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return FocusedId(viewer) == id; }, 3000)) << FocusedId(viewer) << " for " << id;
  }
  for (int at = static_cast<int>(std::size(order)) - 2; at >= 0; --at) {
    PressKeys(viewer, {VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return FocusedId(viewer) == order[at]; }, 3000))
        << FocusedId(viewer) << " for " << order[at];
  }
  ASSERT_EQ(FocusedId(viewer), kViewId);
  PressKeys(viewer, {VK_SPACE});
  ASSERT_TRUE(WaitUntil([&] { return LengthOf(Memo(viewer, 2)) != 0; }, 30000)) << "Space pressed View";
  ASSERT_TRUE(WaitForViewToEnd(viewer));
  EXPECT_EQ(FocusedId(viewer), kViewId);
  PressKeys(viewer, {VK_ESCAPE});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(viewer); }, 5000)) << "Esc with View focused";

  ASSERT_EQ(OpenViewer(vandrel), viewer);
  PressKeys(viewer, {VK_TAB});
  PressKeys(viewer, {VK_TAB});
  ASSERT_EQ(FocusedId(viewer), kExitId);
  PressKeys(viewer, {VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(viewer); }, 5000)) << "Enter pressed Exit demo";
}

// A history folder whose name the ANSI code page cannot hold ("Ω") is read
// through the wide calls and dumped as any other.
TEST_F(ViewerTest, AnIndexFileInAFolderNamedInAnotherScriptIsShown) {
  wchar_t temp[MAX_PATH];
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring folder = std::wstring(temp) + L"vandrel-viewer-\u03A9";
  const std::wstring file = folder + L"\\History.IE5\\index.dat";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\History.IE5").c_str(), nullptr);
  const std::string bytes = "Client UrlCache MMF Ver 5.2, in a folder of another script";
  {
    const UniqueFileHandle index(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(index && WriteFile(index.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                          0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const auto size = static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t));
  EXPECT_EQ(RegSetValueExW(key, L"History", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  {
    VandrelProcess vandrel;
    const HWND viewer = OpenViewer(vandrel);
    ASSERT_NE(viewer, nullptr);
    Click(viewer, kViewId);
    ASSERT_TRUE(WaitForViewToEnd(viewer));
    EXPECT_EQ(TextOf(Memo(viewer, 0)), Dumped(bytes, bytes.size()));
  }
  DeleteFileW(file.c_str());
  RemoveDirectoryW((folder + L"\\History.IE5").c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(ViewerTest, AMissingFolderValueAFolderThatIsNotThereAndALockedFileAreTold) {
  ASSERT_TRUE(DeleteValue(HKEY_CURRENT_USER, kShellFolders, "Cookies"));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kShellFolders, "Cache", "C:\\vandrel-no-such-folder"));
  {
    VandrelProcess vandrel;
    const HWND viewer = OpenViewer(vandrel);
    ASSERT_NE(viewer, nullptr);
    Click(viewer, kViewId);
    Answer(vandrel, "Error occured while trying to access Cache index.dat files!");
    Answer(vandrel, "Error occured while trying to access registry information about Cookies!");
    ASSERT_TRUE(WaitForViewToEnd(viewer));
    EXPECT_NE(TextOf(Memo(viewer, 0)), "");
  }
  // Held by another program without sharing: View ends with the file's error.
  const std::string lockedFile = UseHistoryOfOurOwn("Client UrlCache MMF Ver 5.2");
  const HANDLE held = CreateFileA(lockedFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE) << GetLastError();
  VandrelProcess vandrel;
  const HWND viewer = OpenViewer(vandrel);
  ASSERT_NE(viewer, nullptr);
  Click(viewer, kViewId);
  Answer(vandrel, "Cannot open file " + lockedFile);
  CloseHandle(held);
  ASSERT_TRUE(WaitForViewToEnd(viewer));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(viewer, kExitId)));
  EXPECT_EQ(vandrel.WaitForMessageBox(300), nullptr) << "the remaining files are not shown";
}

TEST_F(ViewerTest, EraseWipesTheCheckedIndexFilesInPlace) {
  std::size_t sizes[3];
  for (int index = 0; index < 3; ++index) sizes[index] = Contents(indexFiles_[index]).size();
  VandrelProcess vandrel;
  const HWND viewer = OpenViewer(vandrel);
  ASSERT_NE(viewer, nullptr);
  Click(viewer, kViewId);
  ASSERT_TRUE(WaitForViewToEnd(viewer));
  const auto writtenAt = [] {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(KeptReportPath().c_str(), GetFileExInfoStandard, &data)
               ? (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                     data.ftLastWriteTime.dwLowDateTime
               : 0;
  };
  const ULONGLONG keptBefore = writtenAt();  // an earlier erase's, or none
  Click(viewer, kEraseId);
  for (int index = 0; index < 3; ++index) {
    std::string wiped = "Client UrlCache MMF Ver 5.2";
    wiped.resize(sizes[index], '\0');
    EXPECT_TRUE(WaitUntil([&] { return Contents(indexFiles_[index]) == wiped; }, 30000)) << indexFiles_[index];
  }
  EXPECT_TRUE(vandrel.Answers());
  EXPECT_EQ(vandrel.WaitForMessageBox(300), nullptr) << "no question and no completion message";
  // Its report is kept where Erase report shows it from, as every erase's.
  EXPECT_TRUE(WaitUntil([&] { return writtenAt() != keptBefore; }, 10000));
  const std::string report = ReadFileBytes(KeptReportPath()).value_or("");
  for (const char* step : {"\nHistory", "\nCache", "\nCookies"}) {
    EXPECT_NE(report.find(step), std::string::npos) << report;
  }
}

// Folder links inside the cookie folder and the cache's Content.IE5, to
// canary folders beside them: handed a wiped index, the browser's library
// rebuilds its container and first clears the folder with a delete that
// follows links. A main Erase first, then the viewer's View and Erase from
// what it left: both folders are cleaned; what the links lead to stays,
// and so does the cookie folder's desktop.ini.
TEST_F(ViewerTest, EraseKeepsWhatLinksInTheCookieAndCacheFoldersLeadTo) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the links";
  const std::string containers = std::string(scratch) + "\\containers";
  const std::string canaries[] = {containers + "\\cookies-canary", containers + "\\cache-canary"};
  const std::map<std::string, std::string> before[] = {SnapshotFolder(canaries[0]), SnapshotFolder(canaries[1])};
  ASSERT_EQ(before[0].size() + before[1].size(), 6u);
  ASSERT_TRUE(WriteFileBytes(containers + "\\cookies\\desktop.ini", "[.ShellClassInfo]"));
  for (const char* name :
       {"All", "Recent", "TempFolder", "Recycled Bin", "Bookmarks", "History", "MPlayer", "RealOne", "LocationBar"}) {
    Set(name, "0");
  }
  Set("Cookies", "1");
  Set("Cache", "1");
  const ShellFolderOverride cookies("Cookies", containers + "\\cookies");
  const ShellFolderOverride cache("Cache", containers + "\\cache");

  VandrelProcess vandrel;
  const HWND viewer = OpenViewer(vandrel);
  ASSERT_NE(viewer, nullptr);
  PostMessageA(vandrel.WaitForMainWindow(), WM_COMMAND, kEraseMenuItem, 0);
  Answer(vandrel, "Are you sure to erase the selected files?");
  Answer(vandrel, "Erase completed.");
  SendMessageA(GetDlgItem(viewer, kHistoryBoxId), BM_CLICK, 0, 0);  // the prefix's own history is left
  Click(viewer, kViewId);
  Answer(vandrel, "Error occured while trying to access Cache index.dat files!");
  Answer(vandrel, "Error occured while trying to access Cookies index.dat files!");
  ASSERT_TRUE(WaitForViewToEnd(viewer));
  Click(viewer, kEraseId);
  // A View is refused while the erase runs: the first that runs finds no
  // cache index, as none is left wiped beside the link that Wine keeps.
  HWND box = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        Click(viewer, kViewId);
        box = vandrel.WaitForMessageBox(2000);
        return box &&
               VandrelProcess::MessageBoxText(box) == "Error occured while trying to access Cache index.dat files!";
      },
      60000));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  Answer(vandrel, "Error occured while trying to access Cookies index.dat files!");
  for (int at = 0; at < 2; ++at) EXPECT_EQ(SnapshotFolder(canaries[at]), before[at]) << canaries[at];
  EXPECT_EQ(Contents(containers + "\\cookies\\desktop.ini"), "[.ShellClassInfo]");
}

}  // namespace
}  // namespace vandrel::test
