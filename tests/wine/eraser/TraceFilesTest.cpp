// The eraser's deletes and index wipes against trees laid out to trap them:
// links to canary files outside the erased folder, a hard link to a canary,
// protected, hidden and odd-case files, paths over MAX_PATH, a file held
// open, and a step whose folder is itself a link. After each step the
// canaries must be exactly as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "FolderSnapshot.h"
#include "platform/PlatformError.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32TraceFiles.h"
#include "platform/win32/Win32TraceLook.h"

namespace vandrel {
namespace {

std::string Scratch() {
  const char* scratch = std::getenv("VANDREL_ERASER_SCRATCH");
  return scratch ? scratch : "";
}

std::wstring Wide(const std::string& path) {
  return L"\\\\?\\" + std::wstring(path.begin(), path.end());  // the scratch path is ASCII
}

void Write(const std::string& path, const std::string& content, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  const UniqueFileHandle file(
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD written = 0;
  WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesW(Wide(path).c_str(), attributes);
}

std::string Read(const std::string& path) {
  const UniqueFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  if (!file) return "<missing>";
  std::string content;
  char chunk[1 << 16];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) content.append(chunk, read);
  return content;
}

bool Exists(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::map<std::string, std::string> Canaries() { return test::SnapshotFolder(Scratch() + "\\outside"); }

// A folder chain of more than 300 characters below folder, with a file at
// its end; returns the file's path.
std::string MakeDeepFile(const std::string& folder) {
  std::string path = folder;
  for (int level = 0; level < 6; ++level) {
    path += "\\" + std::string(50, static_cast<char>('a' + level));
    CreateDirectoryW(Wide(path).c_str(), nullptr);
  }
  path += "\\deep.txt";
  Write(path, "deep");
  return path;
}

// The plain files a test adds to a tree's victim folder, beside the
// fixture's links.
struct Victim {
  std::string root, plain, readOnly, hiddenSystem, desktopIni, subDesktopIni, held, subFile, deep;

  explicit Victim(int tree)
      : root(Scratch() + "\\tree" + std::to_string(tree) + "\\victim"),
        plain(root + "\\plain.txt"),
        readOnly(root + "\\readonly.txt"),
        hiddenSystem(root + "\\hidden-system.txt"),
        desktopIni(root + "\\DeskTop.INI"),
        subDesktopIni(root + "\\sub\\desktop.ini"),
        held(root + "\\held.txt"),
        subFile(root + "\\sub\\deeper\\x.txt") {
    Write(plain, "p");
    Write(readOnly, "r", FILE_ATTRIBUTE_READONLY);
    Write(hiddenSystem, "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    Write(desktopIni, "[.ShellClassInfo]");
    Write(subDesktopIni, "[.ShellClassInfo]");
    Write(held, "held");
    Write(subFile, "x");
    deep = MakeDeepFile(root);
  }
};

struct DeleteCase {
  const char* what;
  std::function<DeleteCounts(Win32TraceFiles&, const Victim&)> run;
  bool desktopIniStays;
  bool rootWasLink;
};

class HostileTree : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Scratch().empty()) << "run through ctest: the fixture lays out the trees";
    before_ = Canaries();
    ASSERT_EQ(before_.size(), 7u);  // precious, sub\, sub\p2, hard-target, index-target, index-single, index
  }
  void TearDown() override { EXPECT_EQ(Canaries(), before_) << "a canary outside the erased folder changed"; }

  Win32TraceFiles files_;
  std::map<std::string, std::string> before_;
};

TEST_F(HostileTree, DeletesOnlyWhatLiesInsideAndNeverThroughALink) {
  const DeleteProgress quiet;
  const DeleteCase cases[] = {
      {"matching with desktop.ini kept",
       [&](Win32TraceFiles& f, const Victim& v) { return f.DeleteMatching(v.root, "*.*", true, quiet); }, true, false},
      {"matching through a doubled separator",
       [&](Win32TraceFiles& f, const Victim& v) { return f.DeleteMatching(v.root + "\\", "*.*", false, quiet); }, false,
       false},
      {"the whole tree", [&](Win32TraceFiles& f, const Victim& v) { return f.DeleteTree(v.root, quiet); }, false,
       false},
      {"the whole tree in the long form",
       [&](Win32TraceFiles& f, const Victim& v) { return f.DeleteTree("\\\\?\\" + v.root, quiet); }, false, false},
      {"a step whose folder is a link",
       [&](Win32TraceFiles& f, const Victim& v) { return f.DeleteTree(v.root + "\\..\\rootlink", quiet); }, true, true},
      {"matching in a folder that is a link",
       [&](Win32TraceFiles& f, const Victim& v) {
         return f.DeleteMatching(v.root + "\\..\\rootlink", "*.*", false, quiet);
       },
       true, true},
      {"matching below a link",
       [&](Win32TraceFiles& f, const Victim& v) {
         return f.DeleteMatching(v.root + "\\dirlink\\sub", "*.*", false, quiet);
       },
       true, true},
  };
  int tree = 0;
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Victim victim(++tree);
    DeleteCounts counts;
    {
      const UniqueFileHandle held(
          CreateFileW(Wide(victim.held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held);
      counts = c.run(files_, victim);
    }
    EXPECT_EQ(counts.rootWasLink, c.rootWasLink);
    EXPECT_FALSE(counts.refused);
    EXPECT_EQ(Canaries(), before_);
    EXPECT_TRUE(Exists(victim.root));
    EXPECT_EQ(Exists(victim.desktopIni), c.desktopIniStays);
    if (c.rootWasLink) {
      EXPECT_EQ(counts.removed, 0u);
      EXPECT_TRUE(Exists(victim.plain));
      continue;
    }
    for (const std::string& gone : {victim.plain, victim.readOnly, victim.hiddenSystem, victim.subDesktopIni,
                                    victim.subFile, victim.deep, victim.root + "\\hardlink.txt"}) {
      EXPECT_FALSE(Exists(gone)) << gone;
    }
    EXPECT_TRUE(Exists(victim.held));  // another handle denies the delete
    EXPECT_GE(counts.skipped, 1u);
    EXPECT_GE(counts.removed, 12u);
  }
}

TEST_F(HostileTree, ReportsEachRemovalAndPumpsBetweenEntries) {
  const Victim victim(8);
  std::size_t last = 0, pumps = 0, calls = 0;
  const DeleteCounts counts =
      files_.DeleteMatching(victim.root, "*.txt", false, {[&](std::size_t n) { last = n, ++calls; }, [&] { ++pumps; }});
  EXPECT_EQ(last, counts.removed);
  EXPECT_EQ(calls, counts.removed);
  EXPECT_GE(pumps, counts.removed);
  EXPECT_FALSE(Exists(victim.plain));
  EXPECT_TRUE(Exists(victim.desktopIni));  // not matched by the mask
  EXPECT_TRUE(Exists(victim.subFile));     // in a folder the mask does not pick
}

TEST_F(HostileTree, RefusesTheWholeOfADriveOrTheWindowsFolder) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  for (const std::string& folder : {std::string(windows), std::string("C:\\."), std::string("\\\\?\\C:\\"),
                                    std::string(windows) + "\\system32\\..", std::string("\\x\\y")}) {
    EXPECT_TRUE(files_.DeleteMatching(folder, "*.*", true, {}).refused) << folder;
  }
  EXPECT_EQ(files_.DeleteMatching(windows, "*.*", true, {}).refusal,
            "Not erased: " + std::string(windows) + " is the Windows folder (" + windows + ").");
  // A narrow mask still runs there: it finds nothing in a fresh prefix.
  const DeleteCounts narrow = files_.DeleteMatching(windows, "wmplibrary*.*", true, {});
  EXPECT_FALSE(narrow.refused);
  EXPECT_EQ(narrow.removed, 0u);
}

// An erase finds the protected folders once (they may be on a network
// that times out); the next erase finds them afresh.
TEST_F(HostileTree, AnEraseFindsTheProtectedFoldersOnceAndAnOfflineShareIsNotThere) {
  int reads = 0;
  Win32TraceFiles files([&reads] {
    ++reads;
    return ReadProtectedFolders();
  });
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string offline = "\\\\offline.invalid\\share\\Temp";
  {
    const auto erase = files.KeepProtectedFolders();
    EXPECT_TRUE(files.DeleteMatching(windows, "*.*", true, {}).refused);
    EXPECT_TRUE(files.DeleteTree(std::string(windows) + "\\system32", {}).refused);
    const DeleteCounts unreached = files.DeleteMatching(offline, "*.*", true, {});
    // Wine answers a share with ERROR_BAD_DEV_TYPE until the prefix holds
    // a share folder (dosdevices\unc), then with ERROR_PATH_NOT_FOUND.
    GetFileAttributesA(offline.c_str());
    EXPECT_EQ(unreached.unreachable, GetLastError() == ERROR_BAD_DEV_TYPE);
    EXPECT_FALSE(unreached.refused);
    EXPECT_EQ(unreached.removed + unreached.skipped, 0u);
    EXPECT_EQ(files.WipeIndexFile(offline + "\\index.dat"), WipeOutcome::Missing);
    EXPECT_EQ(reads, 1);
  }
  EXPECT_TRUE(files.DeleteMatching(windows, "*.*", true, {}).refused);
  EXPECT_EQ(reads, 2);
}

struct WipeCase {
  std::size_t length;
  std::size_t after;
};

TEST_F(HostileTree, WipesAPlainIndexFileKeepingItsLength) {
  const std::string folder = Scratch() + "\\tree7\\victim";
  const std::string header = "Client UrlCache MMF Ver 5.2";
  for (const WipeCase c : {WipeCase{0, 27}, WipeCase{26, 27}, WipeCase{27, 27}, WipeCase{1'000'003, 1'000'003},
                           WipeCase{50'000'000, 50'000'000}}) {
    SCOPED_TRACE(c.length);
    const std::string index = folder + "\\index.dat";
    Write(index, std::string(c.length, 'u'));
    EXPECT_EQ(files_.WipeIndexFile(index), WipeOutcome::Wiped);
    const std::string wiped = Read(index);
    EXPECT_EQ(wiped.size(), c.after);
    EXPECT_TRUE(wiped == header + std::string(c.after - header.size(), '\0'));  // not printed: up to 50 MB
  }
}

TEST_F(HostileTree, LeavesLinkedIndexFilesAloneAndCannotOpenAReadOnlyOne) {
  const std::string folder = Scratch() + "\\tree7\\victim";
  EXPECT_EQ(files_.WipeIndexFile(folder + "\\hard-index.dat"), WipeOutcome::LeftAlone);
  EXPECT_EQ(files_.WipeIndexFile(folder + "\\link-index.dat"), WipeOutcome::LeftAlone);
  // Through a folder that is a link, the file behind it is not the folder's own.
  EXPECT_EQ(files_.WipeIndexFile(folder + "\\..\\rootlink\\index.dat"), WipeOutcome::LeftAlone);
  EXPECT_EQ(files_.WipeIndexFile(folder + "\\dirlink\\index.dat"), WipeOutcome::LeftAlone);
  const std::string readOnly = folder + "\\readonly-index.dat";
  Write(readOnly, "old", FILE_ATTRIBUTE_READONLY);
  try {
    files_.WipeIndexFile(readOnly);
    ADD_FAILURE() << "a read-only index file was opened for writing";
  } catch (const PlatformError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + readOnly);
  }
  EXPECT_EQ(Read(readOnly), "old");
}

// A folder that is not there (a name no folder can have stands for a
// card reader with no card, which Wine cannot show) is missing to the wipe
// and to the preview's look alike, as to the folder's delete.
TEST_F(HostileTree, AMissingIndexFileIsToldAndAFolderOfThatNameLeftAlone) {
  const std::string folder = Scratch() + "\\tree7\\victim";
  EXPECT_EQ(files_.WipeIndexFile(folder + "\\none.dat"), WipeOutcome::Missing);
  Win32TraceLook look;
  std::vector<LookedEntry> entries;
  for (const std::string& nowhere : {folder + "\\nowhere", folder + "\\no|name"}) {
    EXPECT_EQ(files_.WipeIndexFile(nowhere + "\\index.dat"), WipeOutcome::Missing) << nowhere;
    EXPECT_EQ(look.List(nowhere, "*.*", LookAt::Inside, entries), FolderLook::Missing) << nowhere;
  }
  EXPECT_EQ(files_.WipeIndexFile(folder + "\\sub"), WipeOutcome::LeftAlone);
  EXPECT_TRUE(Exists(folder + "\\sub\\deeper"));
}

}  // namespace
}  // namespace vandrel
