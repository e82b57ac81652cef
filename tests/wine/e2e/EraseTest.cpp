// The real Vandrel.exe under Wine: the Erase command from each way in, over
// hostile folders and the browser's real traces.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CacheTraces.h"
#include "FolderSnapshot.h"
#include "PopupHelper.h"
#include "RegistryReset.h"
#include "ShellFolderOverride.h"
#include "TrayIcon.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"
#include "app/CommandIds.h"
#include "app/win32/NamedEraseLock.h"
#include "eraser/EraseCommand.h"
#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

constexpr const char* kTypedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr WPARAM kEraseMenuItem = 2005;

bool Exists(const std::string& path) {
  const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());  // ASCII paths, any length
  return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// An index file as the browser's library keeps it: the header, then records.
std::string LiveIndex(std::size_t size, char record) {
  const std::string header = "Client UrlCache MMF Ver 5.2";
  return header + std::string(size - header.size(), record);
}

class EraseTest : public VandrelTest {
 protected:
  void SetUp() override {
    VandrelTest::SetUp();
    // Only the typed addresses: the rest of the prefix's traces stay as they are.
    for (const char* name : {"Cache", "All", "Recent", "TempFolder", "Recycled Bin", "Cookies", "Bookmarks", "History",
                             "MPlayer", "RealOne"}) {
      Set(name, "0");
    }
    Set("LocationBar", "1");
    Set("AutoStart", "0");  // the scan leaves the frame alone
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://typed.example/"));
  }
  void TearDown() override {
    DeleteKeyTree(HKEY_CURRENT_USER, kTypedUrls);
    VandrelTest::TearDown();
  }

  // The program started, with only the temporary folder chosen and the
  // fixture's large tree (largeTree) as its Temp, and erasing it; null, with
  // the failure added, when the tree is missing or the erase did not start.
  std::unique_ptr<VandrelProcess> EraseTheLargeTree() {
    const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
    largeTree = std::string(scratch ? scratch : "") + "\\big";
    if (!scratch || !Exists(largeTree + "\\d39\\f249.txt")) {
      ADD_FAILURE() << "run through ctest: its fixture lays out the tree";
      return nullptr;
    }
    WriteString(HKEY_CURRENT_USER, kSettingsKey, "LocationBar", "0");
    WriteString(HKEY_CURRENT_USER, kSettingsKey, "TempFolder", "1");
    SetEnvironmentVariableA("Temp", largeTree.c_str());  // the program inherits it
    auto vandrel = std::make_unique<VandrelProcess>();
    SetEnvironmentVariableA("Temp", nullptr);
    const HWND main = vandrel->WaitForMainWindow();
    if (main) PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
    const HWND box = main ? WaitForBox(*vandrel, "Are you sure to erase the selected files?") : nullptr;
    if (!box) {
      ADD_FAILURE() << "the erase did not ask";
      return nullptr;
    }
    Click(box, IDOK);
    return vandrel;
  }
  std::string largeTree;

  // The next box of the program with this text, or null.
  static HWND WaitForBox(VandrelProcess& vandrel, const std::string& text, DWORD timeoutMs = 10000) {
    HWND box = nullptr;
    const bool shown = WaitUntil(
        [&] {
          box = vandrel.WaitForMessageBox(200);
          return box && VandrelProcess::MessageBoxText(box) == text;
        },
        timeoutMs);
    return shown ? box : nullptr;
  }
  static void Click(HWND box, int button) {
    SendMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
  }
  // The next box of the program with this text; answers it with `button`.
  void Answer(VandrelProcess& vandrel, const std::string& text, int button, DWORD timeoutMs = 10000) {
    const HWND box = WaitForBox(vandrel, text, timeoutMs);
    ASSERT_NE(box, nullptr) << text;
    Click(box, button);
  }
  // The Erase command of a new Vandrel, confirmed; `eachPass` is the box
  // each of the three passes shows, if any.
  void RunErase(const char* eachPass = nullptr) {
    VandrelProcess vandrel;
    const HWND main = vandrel.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
    Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
    for (int pass = 0; eachPass && pass < 3; ++pass) Answer(vandrel, eachPass, IDOK);
    Answer(vandrel, "Erase completed.", IDOK);  // and no other box before it
  }
  // Only the erase setting `choice` is on.
  static void ChooseOnly(const char* choice) {
    Set("LocationBar", "0");
    Set(choice, "1");
  }
};

TEST_F(EraseTest, AnOpenBrowserIsAskedAboutUntilClosedThenThreePassesEraseTheTypedAddresses) {
  std::optional<PopupHelper> browser{std::in_place,
                                     std::initializer_list<PopupWindowSpec>{{"IEFrame", "Page", true, true, true}}};
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
  Answer(vandrel, "Please close all browser windows and try again.", IDRETRY);
  // Still open: the same question again; then the browser goes.
  // The question is up again before the browser goes, so Retry finds it gone.
  const HWND third = WaitForBox(vandrel, "Please close all browser windows and try again.");
  ASSERT_NE(third, nullptr);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default)) << "nothing erased while asking";
  browser.reset();
  Click(third, IDRETRY);
  Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
  Answer(vandrel, "Erase completed.", IDOK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default));
}

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  GetEnvironmentVariableA(name, value, MAX_PATH);
  return value;
}

// A chain of folders over 300 characters below folder, with a file at its end.
std::string MakeDeepFile(const std::string& folder) {
  std::string path = folder;
  for (char level = 'a'; level < 'g'; ++level) {
    path += "\\" + std::string(50, level);
    const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    CreateDirectoryW(wide.c_str(), nullptr);
  }
  path += "\\deep.txt";
  const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  return path;
}

// One run of the real program over a folder laid out to trap it.
struct HostileErase {
  const char* what;
  const char* choice;       // the eraser setting switched on
  std::string temp;         // the program's Temp; empty: the prefix's own
  const char* shellFolder;  // a shell folder given for the run, or null
  std::string folder;       // and where it is
  const char* eachPass;     // the box each pass shows, if any
  bool victimErased;        // the victim folder's own files go
};

// The fixture's trees hold links from a victim folder to the canaries
// outside it; each row adds the victim's own files, runs the program with
// its environment and checks that only they went. The canaries, and the
// canary files put into the drive's root, the Windows folder and the
// profile, must stay byte for byte.
TEST_F(EraseTest, HostileFoldersLoseTheirOwnFilesAndNothingBehindLinksOrAboveThem) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the links";
  const std::string root = scratch;
  const std::string profile = Environment("USERPROFILE");
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string placedCanaries[] = {"C:\\vandrel-canary.txt", std::string(windows) + "\\vandrel-canary.txt",
                                        profile + "\\vandrel-canary.txt"};
  for (const std::string& canary : placedCanaries) ASSERT_TRUE(WriteFileBytes(canary, "canary"));
  const auto outsideBefore = SnapshotFolder(root + "\\outside");
  ASSERT_EQ(outsideBefore.size(), 7u);

  const HostileErase rows[] = {
      {"a temporary folder full of links", "TempFolder", root + "\\tree1\\victim", nullptr, "", nullptr, true},
      {"a temporary folder that is a link", "TempFolder", root + "\\tree2\\rootlink", nullptr, "", nullptr, false},
      {"a drive root for the temporary folder", "TempFolder", "C:\\", nullptr, "",
       "Error occured while trying to erase temporary files folder!", false},
      {"the Windows folder for the temporary folder", "TempFolder", windows, nullptr, "",
       "Error calling DeleteFiles function!", false},
      {"the profile for the temporary folder", "TempFolder", profile, nullptr, "",
       "Error calling DeleteFiles function!", false},
      {"a favorites folder that is a link", "Bookmarks", "", "Favorites", root + "\\tree6\\rootlink", nullptr, false},
  };
  int tree = 0;
  for (const HostileErase& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string victim = root + "\\tree" + std::to_string(++tree) + "\\victim";
    const std::string own[] = {victim + "\\own.txt", victim + "\\sub\\deeper\\own2.txt", victim + "\\sub\\desktop.ini",
                               MakeDeepFile(victim)};
    for (const std::string& file : own) {
      if (file.find("deep.txt") == std::string::npos) {
        ASSERT_TRUE(WriteFileBytes(file, "mine"));
      }
    }
    ASSERT_TRUE(SetFileAttributesA(own[0].c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileBytes(victim + "\\DeskTop.INI", "[.ShellClassInfo]"));
    ASSERT_TRUE(WriteFileBytes(victim + "\\held.txt", "held"));
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "LocationBar", "0"));
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, row.choice, "1"));
    std::optional<ShellFolderOverride> shellFolder;
    if (row.shellFolder) shellFolder.emplace(row.shellFolder, row.folder);
    {
      // Another program holds a file of the folder open, sharing nothing.
      const HANDLE held =
          CreateFileA((victim + "\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
      if (!row.temp.empty()) SetEnvironmentVariableA("Temp", row.temp.c_str());  // the program inherits it
      VandrelProcess vandrel;
      SetEnvironmentVariableA("Temp", nullptr);
      const HWND main = vandrel.WaitForMainWindow();
      ASSERT_NE(main, nullptr);
      PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
      Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
      for (int pass = 0; row.eachPass && pass < 3; ++pass) Answer(vandrel, row.eachPass, IDOK);
      // Read while the last box is up: a menu hint may take the panel later.
      ASSERT_NE(vandrel.WaitForMessageBox(), nullptr);
      if (row.victimErased) {
        const auto status = vandrel.StatusText(0);
        EXPECT_NE(status.value_or("").find(", left in place: "), std::string::npos) << status.value_or("");
      }
      Answer(vandrel, "Erase completed.", IDOK);
      CloseHandle(held);
    }
    WriteString(HKEY_CURRENT_USER, kSettingsKey, row.choice, "0");
    EXPECT_EQ(SnapshotFolder(root + "\\outside"), outsideBefore);
    for (const std::string& canary : placedCanaries) EXPECT_EQ(ReadFileBytes(canary), "canary") << canary;
    for (const std::string& file : own) EXPECT_EQ(Exists(file), !row.victimErased) << file;
    EXPECT_TRUE(Exists(victim + "\\DeskTop.INI"));  // the folder's own desktop.ini stays
    EXPECT_TRUE(Exists(victim + "\\held.txt"));
  }
  for (const std::string& canary : placedCanaries) DeleteFileA(canary.c_str());
}

// The toolbar's button, the menu item and the tray menu's item run the
// same command.
TEST_F(EraseTest, TheToolbarButtonTheMenuItemAndTheTrayItemEachErase) {
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const HWND toolbar = FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
  const HWND iconOwner = vandrel.WaitForWindowOfClass(kIconOwnerClass);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_NE(iconOwner, nullptr);
  const struct {
    const char* way;
    std::function<void()> start;
  } ways[] = {
      {"toolbar",
       [&] {
         PostMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdEraseStuff, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
       }},
      {"menu", [&] { PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0); }},
      // Erase is the static menu's fifth item, after Show, the two modes and Block List.
      {"tray",
       [&] {
         EXPECT_TRUE(ChooseFromMenu(RightClickIcon(iconOwner), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}));
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://typed.example/"));
    way.start();
    Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
    Answer(vandrel, "Erase completed.", IDOK);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default));
  }
}

std::string ShellFolder(const char* name) {
  const auto value = ReadRaw(HKEY_CURRENT_USER, kShellFolders, name, View::Default);
  return value && value->type == REG_SZ ? std::string(value->bytes.c_str()) : std::string{};
}

// Wine's wininet refuses an index file wiped to the empty header, and makes
// a new index where there is none: the history and cache indexes are
// removed before a test and after it, so the cache works for every test.
struct RenewedIndexFiles {
  RenewedIndexFiles()
      : files{ShellFolder("History") + "\\History.IE5\\index.dat", ShellFolder("Cache") + "\\Content.IE5\\index.dat"} {
    Renew();
  }
  ~RenewedIndexFiles() { Renew(); }
  RenewedIndexFiles(const RenewedIndexFiles&) = delete;
  RenewedIndexFiles& operator=(const RenewedIndexFiles&) = delete;
  void Renew() const {
    for (const std::string& index : files) DeleteFileA(index.c_str());
  }
  const std::vector<std::string> files;
};

// The browser's own traces, made through wininet and the registry as the
// browser makes them, erased by "all" with the typed addresses: the entries
// go, the index files keep their length and hold only the empty header.
TEST_F(EraseTest, AllErasesTheBrowsersTracesAndWipesItsIndexFilesInPlace) {
  const std::string host = "vandrel-erase.test";
  const std::string page = "http://" + host + "/page.html";
  const std::string visit = "Visited: vandrel@" + page;
  constexpr const char* kPasswords = "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW";
  const RenewedIndexFiles renewed;
  const std::vector<std::string>& indexFiles = renewed.files;
  std::string pageFile;
  ASSERT_TRUE(AddCachedPage(page, pageFile)) << GetLastError();
  ASSERT_TRUE(AddCookie("http://" + host + "/", "erase")) << GetLastError();
  ASSERT_TRUE(AddVisit(visit)) << GetLastError();
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, std::string(kPasswords) + "\\site", "form", "secret"));
  const auto ours = [&] {
    std::vector<std::string> found;
    for (const std::string& url : CachedUrls()) {
      if (url.find(host) != std::string::npos) found.push_back(url.substr(0, url.find(':')));
    }
    std::sort(found.begin(), found.end());
    return found;
  };
  ASSERT_EQ(ours(), (std::vector<std::string>{"Cookie", "Visited", "http"}));
  std::vector<std::size_t> lengths;
  for (const std::string& index : indexFiles) lengths.push_back(ReadFileBytes(index).value_or("").size());
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "All", "1"));
  RunErase();
  // Read before this program's wininet opens the index files again.
  for (std::size_t at = 0; at < indexFiles.size(); ++at) {
    ASSERT_GE(lengths[at], 27u) << indexFiles[at];
    EXPECT_EQ(ReadFileBytes(indexFiles[at]), "Client UrlCache MMF Ver 5.2" + std::string(lengths[at] - 27, '\0'))
        << indexFiles[at];
  }
  EXPECT_FALSE(Exists(pageFile));
  EXPECT_TRUE(ours().empty());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPasswords, View::Default));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default));
}

// The quit of a registration run (what the uninstaller runs) that comes
// during a long erase ends it at its next pump: the program exits at once,
// writing its block list. Runs before the next test, which erases the tree.
TEST_F(EraseTest, UnregisterDuringALargeEraseEndsItAndTheProgramExitsWithItsListWritten) {
  const auto vandrel = EraseTheLargeTree();
  ASSERT_NE(vandrel, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return vandrel->StatusText(0).value_or("").rfind("Erased: ", 0) == 0; }, 60000));
  VandrelProcess unregister({"Unregister"});
  ASSERT_TRUE(unregister.process().Wait(30000));
  const DWORD posted = GetTickCount();
  ASSERT_TRUE(vandrel->process().Wait(120000));
  std::printf("the program exited %lu ms after the Unregister run\n", GetTickCount() - posted);
  EXPECT_LT(GetTickCount() - posted, 5000u);
  EXPECT_TRUE(Exists(largeTree + "\\d39\\f249.txt")) << "the erase ran on after the quit";
  EXPECT_TRUE(ReadFileBytes(TitlesPath())) << "the block list was not written at the exit";
}

// The window keeps answering while a long erase runs: between the files it
// removes, the program handles its messages, and its status bar counts.
TEST_F(EraseTest, TheWindowAnswersWhileALargeTreeIsErased) {
  const auto erasing = EraseTheLargeTree();
  ASSERT_NE(erasing, nullptr);
  VandrelProcess& vandrel = *erasing;
  const DWORD start = GetTickCount();
  // A count is shown and the window answered, and only then was the box
  // that ends the erase still not there: the answer came during the erase.
  bool answeredDuring = false;
  WaitUntil(
      [&] {
        if (vandrel.WaitForMessageBox(0)) return true;
        const std::string status = vandrel.StatusText(0).value_or("");
        answeredDuring = status.rfind("Erased: ", 0) == 0 && vandrel.Answers(2000) && !vandrel.WaitForMessageBox(0);
        return answeredDuring;
      },
      120000);
  EXPECT_TRUE(answeredDuring);
  Answer(vandrel, "Erase completed.", IDOK, 120000);
  std::printf("erasing 10,000 files in 40 folders took %lu ms\n", GetTickCount() - start);
  EXPECT_FALSE(Exists(largeTree + "\\d0"));
  EXPECT_FALSE(Exists(largeTree + "\\d39\\f249.txt"));
}

// A key the user may not delete, and keys that are not there, are passed
// over without a message, three passes over.
TEST_F(EraseTest, ADeniedKeyAndMissingKeysArePassedOverWithoutAMessage) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "Recent", "1"));
  for (const char* list : {"Wordpad", "Paint"}) {
    DeleteKeyTree(HKEY_CURRENT_USER,
                  std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\") + list + "\\Recent File List");
  }
  // Wine lets a denied key itself be deleted, but not one in a denied parent.
  const std::string browserKey = "Software\\Microsoft\\Internet Explorer";
  ASSERT_TRUE(DenyAllAccess(HKEY_CURRENT_USER, browserKey));
  RunErase();
  EXPECT_TRUE(AllowAllAccess(HKEY_CURRENT_USER, browserKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTypedUrls, View::Default));
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

bool ExistsW(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteCanary(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "canary", 6, &written, nullptr);
  CloseHandle(file);
}

// Temp set to other spellings of protected folders: Program Files and a
// profile whose name is beyond ASCII. Each is refused, as each pass tells,
// and the folder keeps its files.
TEST_F(EraseTest, EverySpellingOfAProtectedFolderIsRefused) {
  const std::wstring programFiles = L"C:\\Program Files", profile = L"C:\\users\\J\u00f6rg";
  CreateDirectoryW(profile.c_str(), nullptr);
  const std::wstring canaries[] = {programFiles + L"\\vandrel-canary.txt", profile + L"\\vandrel-canary.txt"};
  wchar_t shortName[MAX_PATH] = {}, ownProfile[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameW(programFiles.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::wstring(shortName), programFiles);
  GetEnvironmentVariableW(L"USERPROFILE", ownProfile, MAX_PATH);
  SetEnvironmentVariableW(L"USERPROFILE", profile.c_str());  // the program inherits it
  ChooseOnly("TempFolder");
  const std::pair<const char*, std::wstring> rows[] = {
      {"8.3 names", shortName},
      {"mixed case", L"c:\\PROGRAM files"},
      {"a trailing dot", L"C:\\Program Files."},
      {"the long form", L"\\\\?\\C:\\Program Files"},
      {"a share of this machine", L"\\\\localhost\\vandrel-c\\Program Files"},  // the fixture's, onto C:
      {"another case beyond ASCII", L"C:\\users\\J\u00d6RG"},
  };
  for (const auto& [what, temp] : rows) {
    SCOPED_TRACE(what);
    for (const std::wstring& canary : canaries) WriteCanary(canary);
    SetEnvironmentVariableW(L"Temp", temp.c_str());
    RunErase("Error calling DeleteFiles function!");
    SetEnvironmentVariableW(L"Temp", nullptr);
    for (const std::wstring& canary : canaries) EXPECT_TRUE(ExistsW(canary));
  }
  SetEnvironmentVariableW(L"USERPROFILE", ownProfile);
  for (const std::wstring& canary : canaries) DeleteFileW(canary.c_str());
  RemoveDirectoryW(profile.c_str());
}

// A Temp whose name is beyond ASCII loses its files and subfolders as any
// other: its name reaches the delete whole, also with letters that the ANSI
// code page lacks (Greek and CJK), in a file's name as in the folder's.
TEST_F(EraseTest, ATempNamedBeyondAsciiLosesItsFiles) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture makes the scratch folder";
  ChooseOnly("TempFolder");
  for (const wchar_t* name : {L"\\T\u00e9mp \u00c5se", L"\\T\u00e9mp \u03a4\u65e5"}) {
    const std::wstring temp = std::wstring(scratch, scratch + std::strlen(scratch)) + name;
    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    CreateDirectoryW((temp + L"\\sub").c_str(), nullptr);
    for (const wchar_t* file : {L"\\a.tmp", L"\\sub\\b.tmp", L"\\\u03a4\u65e5.tmp"}) WriteCanary(temp + file);
    SetEnvironmentVariableW(L"Temp", temp.c_str());
    RunErase();
    SetEnvironmentVariableW(L"Temp", nullptr);
    EXPECT_FALSE(ExistsW(temp + L"\\a.tmp"));
    EXPECT_FALSE(ExistsW(temp + L"\\\u03a4\u65e5.tmp"));
    EXPECT_FALSE(ExistsW(temp + L"\\sub"));
    EXPECT_TRUE(ExistsW(temp));
  }
}

// A step set onto a protected folder by another name: favorites onto the
// documents, or onto the folder the documents' link leads to; Temp onto the
// local application data. Each pass tells the refusal, and the folder keeps
// everything, subfolders included.
TEST_F(EraseTest, AStepSetOntoAProtectedFolderLeavesItWhole) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the folders and the link";
  const std::string root = scratch;
  const struct {
    const char* what;
    const char* kept;  // the protected folder's shell folder value
    std::string keptAt;
    const char* choice;
    std::string stepFolder;  // Favorites or Temp
    std::vector<std::string> files;
  } rows[] = {
      {"favorites onto the documents",
       "Personal",
       root + "\\documents-real",
       "Bookmarks",
       root + "\\documents-real",
       {"letter.txt"}},
      {"favorites onto where the documents' link leads",
       "Personal",
       root + "\\documents-link",
       "Bookmarks",
       root + "\\documents-real",
       {"letter.txt", "sub\\deeper\\draft.txt"}},
      {"Temp onto the local application data",
       "Local AppData",
       root + "\\local",
       "TempFolder",
       root + "\\local",
       {"Mail\\store.mbx", "Vendor\\settings.ini"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    for (const std::string& file : row.files) ASSERT_TRUE(WriteFileBytes(row.stepFolder + "\\" + file, "mine"));
    ChooseOnly(row.choice);
    const ShellFolderOverride kept(row.kept, row.keptAt);
    std::optional<ShellFolderOverride> favorites;
    if (row.choice == std::string("Bookmarks")) favorites.emplace("Favorites", row.stepFolder);
    if (row.choice == std::string("TempFolder")) SetEnvironmentVariableA("Temp", row.stepFolder.c_str());
    RunErase("Error calling DeleteFiles function!");
    SetEnvironmentVariableA("Temp", nullptr);
    Set(row.choice, "0");
    for (const std::string& file : row.files) EXPECT_EQ(ReadFileBytes(row.stepFolder + "\\" + file), "mine") << file;
  }
}

// Folder links in the cookie folder, Content.IE5 and History.IE5, each to a
// canary beside them: every erase, the second in one program and the one
// after a restart, starts from what the last left, and all behind the
// links stays; no index is left wiped beside a link that the erase kept.
TEST_F(EraseTest, ErasingTwiceAndAfterARestartKeepsWhatLinksInAllThreeContainersLeadTo) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the links";
  const std::string containers = std::string(scratch) + "\\containers",
                    cacheIndex = containers + "\\cache\\Content.IE5\\index.dat";
  const auto canaries = [&] {
    std::map<std::string, std::string> all;
    for (const char* name : {"cookies", "cache", "history"})
      all.merge(SnapshotFolder(containers + "\\" + name + "-canary"));
    return all;
  };
  const auto before = canaries();
  ASSERT_EQ(before.size(), 9u);
  ChooseOnly("Cookies");
  Set("Cache", "1");
  Set("History", "1");
  const ShellFolderOverride cookies("Cookies", containers + "\\cookies"), cache("Cache", containers + "\\cache"),
      history("History", containers + "\\history");
  ASSERT_TRUE(WriteFileBytes(cacheIndex, LiveIndex(32768, 'i')));  // an index already there
  ASSERT_TRUE(WriteFileBytes(containers + "\\cookies\\index.dat", LiveIndex(32768, 'c')));
  {
    VandrelProcess vandrel;
    const HWND main = vandrel.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    for (const char* after : {"after the first erase", "after the second erase"}) {
      PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
      Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
      Answer(vandrel, "Erase completed.", IDOK);
      EXPECT_EQ(canaries(), before) << after;
      EXPECT_FALSE(Exists(cacheIndex)) << after;
    }
    EXPECT_NE(vandrel.StatusText(0).value_or("").find("Erased without the URL cache: Cache ("), std::string::npos);
  }
  RunErase();
  EXPECT_EQ(canaries(), before) << "after a restart";
}

// A folder link inside the cookie folder, to a canary folder beside it,
// after the erases above: the cookies go; the folder's desktop.ini and
// everything behind the link stay.
TEST_F(EraseTest, ALinkInTheCookieFolderKeepsWhatItLeadsTo) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the link";
  const std::string containers = std::string(scratch) + "\\containers";
  const std::string cookies = containers + "\\cookies";
  const auto canaryBefore = SnapshotFolder(containers + "\\cookies-canary");
  ASSERT_EQ(canaryBefore.size(), 3u);
  ASSERT_TRUE(WriteFileBytes(cookies + "\\desktop.ini", "[.ShellClassInfo]"));
  ASSERT_TRUE(WriteFileBytes(cookies + "\\user@site.txt", "cookie"));
  ASSERT_TRUE(WriteFileBytes(cookies + "\\index.dat", LiveIndex(16384, 'c')));
  ChooseOnly("Cookies");
  const ShellFolderOverride cookieFolder("Cookies", cookies);
  RunErase();
  EXPECT_EQ(SnapshotFolder(containers + "\\cookies-canary"), canaryBefore);
  EXPECT_TRUE(Exists(cookies + "\\desktop.ini"));
  EXPECT_FALSE(Exists(cookies + "\\user@site.txt"));
}

// The wineserver writes registry changes to the prefix's files some seconds
// later: a marker key is written and removed under both roots, and waited
// for, so that the files hold every change made so far.
void SettleRegistryFiles(const std::string& prefix) {
  const char* marker = "Software\\VandrelSettleMarker";
  const auto holdsMarker = [&](const char* file) {
    return ReadFileBytes(prefix + "\\" + file).value_or("").find("VandrelSettleMarker") != std::string::npos;
  };
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) ASSERT_TRUE(WriteString(root, marker, "m", "1"));
  ASSERT_TRUE(WaitUntil([&] { return holdsMarker("user.reg") && holdsMarker("system.reg"); }, 90000));
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) DeleteKeyTree(root, marker);
  ASSERT_TRUE(WaitUntil([&] { return !holdsMarker("user.reg") && !holdsMarker("system.reg"); }, 90000));
}

// The text of the erase preview or report window, read wide and given in
// UTF-8; the window is closed afterwards.
std::string ReportWindowText(VandrelProcess& vandrel, HWND main, WPARAM command, const char* title) {
  PostMessageA(main, WM_COMMAND, command, 0);
  const HWND window = vandrel.WaitForDialog(title, 60000);
  if (!window) return "<no window>";
  // A control of another process tells its text only through the message.
  // The window is found once it exists: its text control may come, and be
  // filled, a moment later.
  HWND text = nullptr;
  DWORD_PTR length = 0;
  WaitUntil(
      [&] {
        text = GetDlgItem(window, 1401);
        return text && SendMessageTimeoutW(text, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length) && length > 0;
      },
      10000);
  std::wstring shown(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(text, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  shown.resize(copied);
  PostMessageA(window, WM_COMMAND, IDCANCEL, 0);  // as Esc does
  WaitUntil([&] { return !IsWindow(window) && IsWindowEnabled(main); }, 5000);
  std::string utf8(shown.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, shown.data(), static_cast<int>(shown.size()), utf8.data(),
                                  static_cast<int>(utf8.size()), nullptr, nullptr));
  return utf8;
}

// Every choice on, a file in Temp and typed addresses: the preview lists
// them, and the whole prefix (every file's size and bytes, and the registry
// files) is as it was before.
TEST_F(EraseTest, APreviewOfEveryChoiceLeavesThePrefixAsItWas) {
  const std::string unixPrefix = Environment("WINEPREFIX");
  ASSERT_FALSE(unixPrefix.empty());
  std::string prefix = "Z:" + unixPrefix;
  std::replace(prefix.begin(), prefix.end(), '/', '\\');
  for (const char* name : {"Cache", "All", "Recent", "TempFolder", "Recycled Bin", "Cookies", "Bookmarks", "History",
                           "MPlayer", "RealOne", "LocationBar"}) {
    Set(name, "1");
  }
  // The prefix's own Temp: an earlier test may have taken the variable away.
  const std::string tempFolder = Environment("USERPROFILE") + "\\Temp";
  const std::string temp = tempFolder + "\\vandrel-preview.tmp";
  ASSERT_TRUE(WriteFileBytes(temp, "previewed, not erased"));
  SetEnvironmentVariableA("Temp", tempFolder.c_str());  // the program inherits it
  VandrelProcess vandrel;
  SetEnvironmentVariableA("Temp", nullptr);
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(vandrel.Answers());
  SettleRegistryFiles(prefix);
  // Not its dosdevices: links to the whole disk and to serial ports.
  const std::vector<std::string> leftOut{"dosdevices"};
  const auto before = DigestFolder(prefix, leftOut);
  const std::string shown = ReportWindowText(vandrel, main, kCmdErasePreview1, "Erase preview");
  SettleRegistryFiles(prefix);
  const auto after = DigestFolder(prefix, leftOut);
  DeleteFileA(temp.c_str());

  EXPECT_EQ(shown.find("Preview of the erase: nothing has been erased."), 0u) << shown;
  EXPECT_NE(shown.find("Temp folder\r\n    clean  " + tempFolder + ": "), std::string::npos) << shown;
  EXPECT_NE(shown.find("delete key  HKEY_CURRENT_USER\\" + std::string(kTypedUrls)), std::string::npos) << shown;
  EXPECT_GT(before.size(), 1000u);
  for (const auto& [path, digest] : before) {
    const auto found = after.find(path);
    EXPECT_EQ(found == after.end() ? "<gone>" : found->second, digest) << path;
  }
  for (const auto& [path, digest] : after) EXPECT_TRUE(before.count(path)) << "new: " << path;
}

// A file the erase cannot delete (another program holds it open without
// sharing the delete): after the erase the report names it and says why,
// with what went from its folder.
TEST_F(EraseTest, TheReportAfterAnEraseNamesTheFileThatStayed) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: it gives the scratch folder";
  const std::string folder = std::string(scratch) + "\\report";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(folder + "\\gone.tmp", "goes"));
  ASSERT_TRUE(WriteFileBytes(folder + "\\held.tmp", "stays"));
  const UniqueFileHandle held(
      CreateFileA((folder + "\\held.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  // A name of a script that the ANSI code page cannot hold ("Ω"): the report shows it.
  const UniqueFileHandle heldGreek(
      CreateFileW((std::wstring(folder.begin(), folder.end()) + L"\\held-\u03A9.tmp").c_str(), GENERIC_WRITE,
                  FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(heldGreek);
  // Mapped, as a running program's file is: it opens for the delete, and
  // the delete is refused once its read-only and hidden are cleared.
  const std::string mapped = folder + "\\mapped.tmp";
  constexpr DWORD kMappedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
  SetFileAttributesA(mapped.c_str(), FILE_ATTRIBUTE_NORMAL);  // as an earlier run left it
  ASSERT_TRUE(WriteFileBytes(mapped, "runs"));
  ASSERT_TRUE(SetFileAttributesA(mapped.c_str(), kMappedAttributes));
  const DWORD mappedAttributes = GetFileAttributesA(mapped.c_str());  // Wine adds the archive bit
  const UniqueFileHandle mappedFile(CreateFileA(mapped.c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
  const UniqueHandle mapping(CreateFileMappingA(mappedFile.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  ASSERT_TRUE(mapping);
  void* const view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);
  ChooseOnly("TempFolder");
  const auto keptBefore = ReadFileBytes(KeptReportPath());
  SetEnvironmentVariableA("Temp", folder.c_str());  // the program inherits it
  VandrelProcess vandrel;
  SetEnvironmentVariableA("Temp", nullptr);
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // The report the last erase in this prefix kept, whoever ran it (this
  // test's own last run too), else the in-memory one of no erase yet.
  EXPECT_EQ(ReportWindowText(vandrel, main, kCmdEraseReport1, "Erase report"),
            keptBefore.value_or("No erase has run yet."));
  PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
  Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
  Answer(vandrel, "Erase completed.", IDOK);
  const std::string shown = ReportWindowText(vandrel, main, kCmdEraseReport1, "Erase report");
  EXPECT_FALSE(Exists(folder + "\\gone.tmp"));
  EXPECT_NE(shown.find("cleaned  " + folder + ": 1 removed"), std::string::npos) << shown;
  EXPECT_NE(shown.find("stayed  " + folder + "\\held.tmp (could not be deleted"), std::string::npos) << shown;
  EXPECT_NE(shown.find("stayed  " + folder + "\\held-\xCE\xA9.tmp (could not be deleted"), std::string::npos) << shown;
  EXPECT_NE(shown.find("stayed  " + mapped + " (could not be deleted"), std::string::npos) << shown;
  EXPECT_EQ(GetFileAttributesA(mapped.c_str()), mappedAttributes) << "a file that stays keeps what it was";
  UnmapViewOfFile(view);
}

// The cookie folder set onto the documents, which hold a folder link and an
// index file, or below them (return.txt and 2025\r1.pdf in Taxes), or onto
// a folder of the user's own that holds no index: nothing there changes,
// the link included, the URL cache is kept from the container, and the
// report says why. The documents' folders are refused at each pass.
TEST_F(EraseTest, ACookieFolderSetOntoTheDocumentsLeavesThemAndTheirLinkAsTheyWere) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the documents and the link";
  const std::string documents = std::string(scratch) + "\\documents-real";
  ASSERT_TRUE(WriteFileBytes(documents + "\\index.dat", std::string(4096, 'd')));
  ASSERT_TRUE(WriteFileBytes(documents + "\\letter.txt", "mine"));
  const std::string photos = std::string(scratch) + "\\photos";
  for (const std::string& folder : {documents + "\\Taxes", documents + "\\Taxes\\2025", photos, photos + "\\2025"}) {
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  ASSERT_TRUE(WriteFileBytes(documents + "\\Taxes\\return.txt", "mine"));
  ASSERT_TRUE(WriteFileBytes(documents + "\\Taxes\\2025\\r1.pdf", "mine"));
  ASSERT_TRUE(WriteFileBytes(photos + "\\holiday.jpg", "mine"));
  ASSERT_TRUE(WriteFileBytes(photos + "\\2025\\beach.jpg", "mine"));
  ASSERT_TRUE(GetFileAttributesA((documents + "\\linked").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
  const struct {
    const char* what;
    std::string cookies;
    bool refused;        // a box at each pass
    const char* told;    // the report's line of the cookie folder
    const char* walked;  // the report's line of the container left to the eraser's walk
  } rows[] = {
      {"onto the documents", documents, true, nullptr, "its folder is a protected folder"},
      {"below the documents", documents + "\\Taxes", true, "refused  ", "its folder is a protected folder"},
      {"onto the user's own folder", photos, false, "refused  ", "its folder holds other files and no index"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const auto before = SnapshotFolder(documents), photosBefore = SnapshotFolder(photos);
    ChooseOnly("Cookies");
    const ShellFolderOverride kept("Personal", documents), cookies("Cookies", row.cookies);
    VandrelProcess vandrel;
    const HWND main = vandrel.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
    Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
    for (int pass = 0; row.refused && pass < 3; ++pass) Answer(vandrel, "Error calling DeleteFiles function!", IDOK);
    Answer(vandrel, "Erase completed.", IDOK);
    EXPECT_EQ(SnapshotFolder(documents), before);
    EXPECT_EQ(SnapshotFolder(photos), photosBefore);
    EXPECT_TRUE(GetFileAttributesA((documents + "\\linked").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    const std::string report = ReportWindowText(vandrel, main, kCmdEraseReport1, "Erase report");
    if (row.told) {
      EXPECT_NE(report.find(row.told + row.cookies + " ("), std::string::npos) << report;
    }
    EXPECT_NE(report.find("walked  " + row.cookies + "\\ (" + row.walked), std::string::npos) << report;
  }
}

// The lines of a preview or a report about the URL cache: the calls made
// (or promised) and the containers left to the erase's own walk, with the
// step each is under, in the preview's words; in the order of the steps'
// groups (the report puts first the steps that deleted in folders), each
// group's lines as they come.
std::vector<std::string> UrlCacheLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string step;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", at), text.size());
    const std::string line = text.substr(at, end - at);
    at = end + 2;
    if (!line.empty() && line[0] != ' ') step = line;
    for (const auto& [said, as] : {std::pair{"    delete  ", "delete "},
                                   {"    deleted  ", "delete "},
                                   {"    walk  ", "walk "},
                                   {"    walked  ", "walk "}}) {
      if (line.rfind(said, 0) == 0) lines.push_back(step + ": " + as + line.substr(std::strlen(said)));
    }
  }
  std::stable_sort(lines.begin(), lines.end(), [](const std::string& one, const std::string& other) {
    return one.substr(0, one.find(':')) < other.substr(0, other.find(':'));
  });
  return lines;
}

// A cache with a folder link the erase cannot remove as itself, cookies and
// a history index: the preview's URL-cache calls and the containers it
// leaves are the report's after the erase, on the first erase and the next.
TEST_F(EraseTest, ThePreviewTellsWhatTheEraseThenDoesTwiceInARow) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the containers";
  const std::string containers = std::string(scratch) + "\\preview";
  ASSERT_TRUE(WriteFileBytes(containers + "\\history\\History.IE5\\index.dat", LiveIndex(32768, 'h')));
  ASSERT_TRUE(WriteFileBytes(containers + "\\cookies\\user@site.txt", "cookie"));
  ASSERT_TRUE(WriteFileBytes(containers + "\\cookies\\index.dat", LiveIndex(16384, 'c')));
  ASSERT_TRUE(WriteFileBytes(containers + "\\cache\\Content.IE5\\index.dat", LiveIndex(16384, 'p')));
  const auto canary = SnapshotFolder(containers + "\\canary");
  ChooseOnly("Cookies");
  Set("Cache", "1");
  Set("History", "1");
  const ShellFolderOverride cookies("Cookies", containers + "\\cookies"), cache("Cache", containers + "\\cache"),
      history("History", containers + "\\history");
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  for (const char* erase : {"the first erase", "the second erase"}) {
    SCOPED_TRACE(erase);
    const std::string preview = ReportWindowText(vandrel, main, kCmdErasePreview1, "Erase preview");
    PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
    Answer(vandrel, "Are you sure to erase the selected files?", IDOK);
    Answer(vandrel, "Erase completed.", IDOK);
    const std::string report = ReportWindowText(vandrel, main, kCmdEraseReport1, "Erase report");
    EXPECT_EQ(UrlCacheLines(preview), UrlCacheLines(report)) << preview << "\n\n" << report;
    EXPECT_NE(UrlCacheLines(preview), std::vector<std::string>{}) << preview;
    EXPECT_EQ(SnapshotFolder(containers + "\\canary"), canary);
  }
}

// Cookies set through the browser's library for a kept site's hosts, its
// look-alikes and another site; the command's erase of the cookie step,
// twice, then the window's: after each, a new process of the library reads
// the kept ones back and none of the rest.
TEST_F(EraseTest, TheErasesKeepTheKeptSitesCookiesAndTheLibraryReadsThemBack) {
  const struct {
    const char* site;
    bool kept;
  } cookies[] = {{"http://www.keep-me.test/", true},
                 {"http://mail.keep-me.test/", true},
                 {"http://notkeep-me.test/", false},
                 {"http://keep-me.test.evil.test/", false},
                 {"http://other-site.test/", false}};
  for (const auto& cookie : cookies) ASSERT_TRUE(AddCookie(cookie.site, "vandrel")) << cookie.site;
  ChooseOnly("Cookies");
  Set("CookiesToKeep", "Keep-Me.test");
  const auto readsBack = [](const char* site) {
    const Process reader = Launch(WindowsPathOf(VANDREL_COOKIE_READER), {site, "vandrel"});
    return reader.Wait(60000) && reader.ExitCode() == 0u;
  };
  for (const auto& cookie : cookies) ASSERT_TRUE(readsBack(cookie.site)) << cookie.site;
  const std::string keptReport = KeptReportPath();
  for (const char* erase : {"the command's first erase", "its second", "the window's"}) {
    SCOPED_TRACE(erase);
    if (std::string(erase) == "the window's") {
      RunErase();
    } else {
      const Process process = Launch(VandrelPath(), {"Erase"});
      ASSERT_TRUE(process.Wait(60000));
      EXPECT_EQ(process.ExitCode(), 0u) << ReadFileBytes(keptReport).value_or("");
    }
    for (const auto& cookie : cookies) EXPECT_EQ(readsBack(cookie.site), cookie.kept) << cookie.site;
    EXPECT_NE(ReadFileBytes(keptReport).value_or("").find("kept  2 cookies of 1 site: keep-me.test (2)"),
              std::string::npos)
        << ReadFileBytes(keptReport).value_or("");
  }
}

// The main window's erase, its question answered: what its status bar
// says once it says `expected` or 5 s have passed, and any box after it.
std::string WindowEraseSays(const std::string& expected) {
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  if (!main) return "(no main window)";
  PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
  const HWND question = vandrel.WaitForMessageBox();
  if (!question) return "(no question)";
  SendMessageA(GetDlgItem(question, IDOK), BM_CLICK, 0, 0);
  vandrel.WaitForStatus(0, expected);
  std::string said = vandrel.StatusText(0).value_or("(no status)");
  if (const HWND box = vandrel.WaitForMessageBox(1000)) said += ", then the box " + VandrelProcess::MessageBoxText(box);
  return said;
}

// Vandrel.exe Erase, as a script or a scheduled task runs it: no window,
// the stored choices, an exit code to test, and the report kept where the
// window's "Erase report" shows it.
TEST_F(EraseTest, TheCommandLineErasesWithoutAWindowAndEndsWithItsCode) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the links";
  const std::string root = scratch, plain = root + "\\plain-temp", victim = root + "\\tree7\\victim";
  CreateDirectoryA(plain.c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(plain + "\\a.tmp", "a"));
  ASSERT_TRUE(WriteFileBytes(victim + "\\own.txt", "mine"));
  const auto outsideBefore = SnapshotFolder(root + "\\outside");
  ChooseOnly("TempFolder");
  const std::string keptReport = KeptReportPath();
  std::string temp = plain;
  const auto erase = [&](const std::vector<std::string>& arguments) -> std::optional<DWORD> {
    SetEnvironmentVariableA("Temp", temp.c_str());  // the program inherits it
    const Process process = Launch(VandrelPath(), arguments);
    SetEnvironmentVariableA("Temp", nullptr);
    if (!process.Wait(60000)) return std::nullopt;
    return process.ExitCode();
  };

  EXPECT_EQ(erase({"Erase"}), 0u);
  EXPECT_FALSE(Exists(plain + "\\a.tmp"));
  EXPECT_NE(ReadFileBytes(keptReport).value_or("").find("cleaned  " + plain + ": 1 removed"), std::string::npos);
  // Links Wine cannot remove as themselves stay, named, and end it with 1;
  // nothing behind them is touched.
  temp = victim;
  EXPECT_EQ(erase({"Erase"}), 1u);
  EXPECT_FALSE(Exists(victim + "\\own.txt"));
  EXPECT_EQ(SnapshotFolder(root + "\\outside"), outsideBefore);
  const std::string cleaned = "cleaned  " + victim;
  const std::string linkStayed = "stayed  " + victim + "\\dirlink (a link that could not be removed as itself";
  EXPECT_NE(ReadFileBytes(keptReport).value_or("").find(linkStayed), std::string::npos);
  {
    // The window shows that report: the last one, whoever ran it.
    VandrelProcess vandrel;
    const HWND main = vandrel.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_NE(ReportWindowText(vandrel, main, kCmdEraseReport1, "Erase report").find(cleaned), std::string::npos);
  }
  // A stored choice that reads neither as "0" nor as "1": 2, nothing
  // erased, and the kept report names it.
  ASSERT_TRUE(WriteFileBytes(plain + "\\a.tmp", "a"));
  temp = plain;
  Set("Recent", "no");
  EXPECT_EQ(erase({"Erase"}), 2u);
  Set("Recent", "0");
  temp = victim;
  EXPECT_TRUE(Exists(plain + "\\a.tmp"));
  EXPECT_NE(ReadFileBytes(keptReport).value_or("").find("Recent (holds \"no\""), std::string::npos);
  {
    // A browser window is open and the cache chosen: that step is left out, not waited for.
    const PopupHelper browser{{"IEFrame", "Page", true, true, true}};
    Set("Cache", "1");
    EXPECT_EQ(erase({"Erase", "ignored"}), 1u);
    Set("Cache", "0");
    const std::string report = ReadFileBytes(keptReport).value_or("");
    EXPECT_NE(report.find("A browser window is open"), std::string::npos) << report;
    EXPECT_NE(report.find("ignored: ignored"), std::string::npos) << report;
  }
  // A lock that another process of the user made first and that the
  // program cannot open (its DACL lets nobody in): no erase runs, the
  // command ends with 2, the window says why.
  const std::string lockName = EraseLockName();
  ASSERT_FALSE(lockName.empty());
  {
    SECURITY_DESCRIPTOR nobody{};
    ASSERT_TRUE(InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION));
    ACL empty{};
    ASSERT_TRUE(InitializeAcl(&empty, sizeof empty, ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &nobody, FALSE};
    const UniqueHandle closed(CreateMutexA(&attributes, FALSE, lockName.c_str()));
    ASSERT_TRUE(closed);
    // Away from the window: a toolbar button under the pointer puts its hint in the status bar.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    ASSERT_TRUE(WriteFileBytes(victim + "\\own.txt", "mine"));
    EXPECT_EQ(erase({"Erase"}), 2u);
    EXPECT_TRUE(Exists(victim + "\\own.txt"));
    EXPECT_EQ(WindowEraseSays(kEraseLockUnavailable), kEraseLockUnavailable);
    EXPECT_TRUE(Exists(victim + "\\own.txt"));
  }
  // Another erase runs (this test holds the user's erase lock, as a
  // running erase does): the command ends with 2 at once, and the window's
  // erase is refused once its question is answered.
  NamedEraseLock held;
  ASSERT_EQ(held.TryTake(), LockTake::Taken);
  EXPECT_EQ(erase({"Erase"}), 2u);
  EXPECT_NE(ReadFileBytes(keptReport).value_or("").find("A browser window is open"), std::string::npos)
      << "a refused erase keeps the last report";
  EXPECT_EQ(WindowEraseSays(kEraseAlreadyRunning), kEraseAlreadyRunning);
  EXPECT_TRUE(Exists(victim + "\\own.txt"));
  held.Release();
  {
    // The session ends while the command erases: it hears it through its
    // hidden window, keeps its report there and then, saying it was
    // stopped, and ends.
    const std::string many = root + "\\many-temp";
    CreateDirectoryA(many.c_str(), nullptr);
    for (int i = 0; i < 3000; ++i) ASSERT_TRUE(WriteFileBytes(many + "\\f" + std::to_string(i) + ".tmp", "x"));
    SetEnvironmentVariableA("Temp", many.c_str());
    const Process process = Launch(VandrelPath(), {"Erase"});
    SetEnvironmentVariableA("Temp", nullptr);
    HWND listener = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (listener = FindWindowA("Vandrel.SessionEnd", nullptr)) != nullptr; }, 10000));
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(listener, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer), 0);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    EXPECT_NE(SendMessageTimeoutA(listener, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer), 0);
    EXPECT_TRUE(process.Wait(10000));
    const std::string report = ReadFileBytes(keptReport).value_or("");
    EXPECT_NE(report.find(kEraseEndedEarly), std::string::npos) << report;
    std::size_t left = 0;
    for (int i = 0; i < 3000; ++i) left += Exists(many + "\\f" + std::to_string(i) + ".tmp") ? 1 : 0;
    EXPECT_GT(left, 1000u) << "the erase stopped at the session's end";
  }
}

// A Temp holding a chain of 5,000 one-letter folders, as a page may write
// one: the preview and `Vandrel.exe Erase` walk it down to their bound,
// the file at the top goes, the command ends with 1 and the kept report,
// as the preview, names the folder past the bound, which stays.
TEST_F(EraseTest, ATreeDeeperThanTheWalksGoIsErasedDownToTheirBoundAndTheRestNamed) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: its fixture lays out the deep tree";
  const std::string temp = std::string(scratch) + "\\deep-temp";
  std::string pastTheBound = temp;
  for (int level = 0; level <= 256; ++level) pastTheBound += "\\L";
  ASSERT_TRUE(Exists(pastTheBound + "\\L")) << "the fixture lays out the chain";
  ASSERT_TRUE(WriteFileBytes(temp + "\\top.tmp", "top"));
  const std::string said = "stayed  " + pastTheBound + " (more than 256 folders deep: left with all it holds)";
  ChooseOnly("TempFolder");
  SetEnvironmentVariableA("Temp", temp.c_str());  // the programs inherit it
  {
    VandrelProcess vandrel;
    const HWND main = vandrel.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const std::string preview = ReportWindowText(vandrel, main, kCmdErasePreview1, "Erase preview");
    EXPECT_NE(preview.find("stays  " + pastTheBound + " (more than 256"), std::string::npos) << preview.substr(0, 500);
  }
  const Process process = Launch(VandrelPath(), {"Erase"});
  SetEnvironmentVariableA("Temp", nullptr);
  ASSERT_TRUE(process.Wait(120000));
  EXPECT_EQ(process.ExitCode(), 1u);
  EXPECT_FALSE(Exists(temp + "\\top.tmp"));
  EXPECT_TRUE(Exists(pastTheBound));
  const std::string kept = ReadFileBytes(KeptReportPath()).value_or("");
  EXPECT_NE(kept.find(said), std::string::npos) << kept.substr(0, 500);
}

// The log-on start with the erase at log-on on: the chosen steps go before
// the scan begins, with no box, and the notice's balloon tells it.
TEST_F(EraseTest, TheLogOnStartErasesFirstAndTellsItInTheBalloon) {
  const char* scratch = std::getenv("VANDREL_E2E_HOSTILE");
  ASSERT_NE(scratch, nullptr) << "run through ctest: it gives the scratch folder";
  const std::string temp = std::string(scratch) + "\\logon-temp";
  CreateDirectoryA(temp.c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(temp + "\\a.tmp", "a"));
  ChooseOnly("TempFolder");
  Set("EraseAtLogOn", "1");
  Set("NoticeEnabled", "1");
  {
    StandInTray tray;
    SetEnvironmentVariableA("Temp", temp.c_str());  // the program inherits it
    VandrelProcess vandrel({"Minimize"});
    SetEnvironmentVariableA("Temp", nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !tray.Balloons().empty(); }, 15000));
    EXPECT_EQ(tray.Balloons().front(),
              std::make_pair(std::string("Erased at log-on"), std::string("Erased at log-on: 1 file")));
    EXPECT_FALSE(Exists(temp + "\\a.tmp"));
    const std::string kept = ReadFileBytes(KeptReportPath()).value_or("");
    EXPECT_NE(kept.find("cleaned  " + temp + ": 1 removed"), std::string::npos) << kept;
    EXPECT_EQ(vandrel.WaitForMessageBox(500), nullptr);
  }
  // A box during the start (the block list cannot be read): an erase asked
  // for while it is up already takes the user's lock, which this test holds.
  Set("EraseAtLogOn", "0");
  const std::string refusedTemp = temp + "-refused";  // its file stays, for the next run too
  CreateDirectoryA(refusedTemp.c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(refusedTemp + "\\b.tmp", "b"));
  NamedEraseLock held;
  ASSERT_EQ(held.TryTake(), LockTake::Taken);
  const UniqueFileHandle titles(CreateFileA(TitlesPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
  ASSERT_TRUE(titles);
  SetEnvironmentVariableA("Temp", refusedTemp.c_str());
  VandrelProcess vandrel({"Minimize"});
  SetEnvironmentVariableA("Temp", nullptr);
  const HWND startBox = vandrel.WaitForMessageBox();
  ASSERT_NE(startBox, nullptr);
  EXPECT_NE(VandrelProcess::MessageBoxText(startBox).find("titles.dat"), std::string::npos)
      << VandrelProcess::MessageBoxText(startBox);
  const HWND main = FindWindowA("TZAVOClass", "Vandrel");
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, kEraseMenuItem, 0);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        question = vandrel.WaitForMessageBox(100);
        return question && question != startBox;
      },
      5000));
  SendMessageA(GetDlgItem(question, IDOK), BM_CLICK, 0, 0);
  Sleep(1000 * TimeScale());
  const HWND after = vandrel.WaitForMessageBox(100);
  EXPECT_EQ(after, startBox) << VandrelProcess::MessageBoxText(after);
  EXPECT_TRUE(Exists(refusedTemp + "\\b.tmp"));
  held.Release();
}

}  // namespace
}  // namespace vandrel::test
