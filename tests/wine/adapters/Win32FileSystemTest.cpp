// Win32FileSystem under Wine, in a scratch folder beside the test program.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <thread>

#include "platform/PlatformError.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WidePath.h"

namespace vandrel {
namespace {

std::string ExecutableFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

void PutFile(const std::string& path, const std::string& content) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
}

// The error text a call threw, or "" when it threw nothing.
template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const PlatformError& error) {
    return error.what();
  }
  return "";
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveAll();
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  }
  void TearDown() override { RemoveAll(); }

  std::set<std::string> Names() const { return NamesIn(folder); }
  static std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find.get(), &found));
    return names;
  }
  void RemoveAll() { RemoveTree(WideFromAnsi(folder)); }
  // In wide names: a test may leave names that the code page cannot spell.
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &found)) {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(path.c_str())) RemoveTree(path);
    }
    RemoveDirectoryW(folder.c_str());
  }
  std::string In(const std::string& name) const { return folder + "\\" + name; }
  // The longest folder in the scratch one where titles.dat can still be
  // created (MAX_PATH - 12 characters on Windows; Wine allows a little more).
  std::string LongestFolderForTitles() const {
    std::string longest;
    for (std::size_t length = MAX_PATH - 20;; ++length) {
      const std::string candidate = In(std::string(length - folder.size() - 1, 'd'));
      if (!CreateDirectoryA(candidate.c_str(), nullptr)) break;
      const std::string target = candidate + "\\titles.dat";
      const bool fits =
          UniqueFileHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)).get() !=
          INVALID_HANDLE_VALUE;  // closed here, before the delete
      DeleteFileA(target.c_str());
      RemoveDirectoryA(candidate.c_str());
      if (!fits) break;
      longest = candidate;
    }
    return longest;
  }

  // The program's own folder, as the program's path names it.
  std::string folder = ExecutableFolder() + "\\file-system-test";
  Win32FileSystem files{folder + "\\Vandrel.exe"};
};

TEST_F(Win32FileSystemTest, ExistsOnlyForFiles) {
  PutFile(In("a.dat"), "x");
  EXPECT_TRUE(files.Exists(In("a.dat")));
  EXPECT_FALSE(files.Exists(In("missing.dat")));
  EXPECT_FALSE(files.Exists(folder));
  // Paths where nothing can be: absent, not merely unexamined.
  for (const std::string& path :
       {In("no-such-folder\\a.dat"), In("bad<name>.dat"), In("a.dat\\below-a-file.dat"), std::string()}) {
    EXPECT_FALSE(files.Exists(path)) << path;
  }
}

TEST_F(Win32FileSystemTest, ReadsTheWholeFileByteForByte) {
  std::string content(300'000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
  PutFile(In("a.dat"), content);
  EXPECT_EQ(files.ReadWhole(In("a.dat")), content);
  PutFile(In("empty.dat"), "");
  EXPECT_EQ(files.ReadWhole(In("empty.dat")), "");
}

TEST_F(Win32FileSystemTest, ALargeFileIsReadInPiecesWithTheCallerWorkingInBetween) {
  std::string content(9u << 20, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 13 + i / 5000);
  PutFile(In("index.dat"), content);
  int pieces = 0;
  EXPECT_EQ(files.ReadWholeInPieces(In("index.dat"), [&] { ++pieces; }), content);
  EXPECT_GE(pieces, 3);
}

TEST_F(Win32FileSystemTest, ReadsAFileThatAnotherHandleHasOpenForWriting) {
  PutFile(In("a.dat"), "shared");
  UniqueFileHandle writer(CreateFileA(In("a.dat").c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ(files.ReadWhole(In("a.dat")), "shared");
}

TEST_F(Win32FileSystemTest, AFileThatCannotBeOpenedIsReported) {
  EXPECT_EQ(ErrorOf([&] { files.ReadWhole(In("missing.dat")); }), "Cannot open file " + In("missing.dat"));
  PutFile(In("locked.dat"), "x");
  UniqueFileHandle exclusive(
      CreateFileA(In("locked.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(exclusive);
  EXPECT_EQ(ErrorOf([&] { files.ReadWhole(In("locked.dat")); }), "Cannot open file " + In("locked.dat"));
}

TEST_F(Win32FileSystemTest, AWriteCreatesOrReplacesTheFileAndLeavesNothingElse) {
  files.WriteWholeAtomically(In("titles.dat"), "first\r\n");
  EXPECT_EQ(files.ReadWhole(In("titles.dat")), "first\r\n");
  files.WriteWholeAtomically(In("titles.dat"), "");
  EXPECT_EQ(files.ReadWhole(In("titles.dat")), "");
  EXPECT_EQ(Names(), std::set<std::string>{"titles.dat"});
}

TEST_F(Win32FileSystemTest, AFailedReplaceKeepsTheOldFileAndRemovesTheTemporaryOne) {
  PutFile(In("titles.dat"), "old");
  ASSERT_TRUE(SetFileAttributesA(In("titles.dat").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(In("titles.dat"), "new"); }),
            "Cannot create file " + In("titles.dat"));
  EXPECT_EQ(files.ReadWhole(In("titles.dat")), "old");
  EXPECT_EQ(Names(), std::set<std::string>{"titles.dat"});
}

TEST_F(Win32FileSystemTest, ATargetHeldOpenByAnotherProgramIsKept) {
  PutFile(In("titles.dat"), "old");
  UniqueFileHandle reader(CreateFileA(In("titles.dat").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(reader);
  EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(In("titles.dat"), "new"); }),
            "Cannot create file " + In("titles.dat"));
  reader.reset();
  EXPECT_EQ(files.ReadWhole(In("titles.dat")), "old");
  EXPECT_EQ(Names(), std::set<std::string>{"titles.dat"});
}

TEST_F(Win32FileSystemTest, ATargetHeldOpenForAMomentIsReplacedOnceLetGo) {
  // As a virus scanner or an indexer reads a file that was just written.
  PutFile(In("titles.dat"), "old");
  UniqueFileHandle reader(CreateFileA(In("titles.dat").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
  ASSERT_TRUE(reader);
  std::thread letGo([&] {
    Sleep(60);
    reader.reset();
  });
  EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(In("titles.dat"), "new"); }), "");
  letGo.join();
  EXPECT_EQ(files.ReadWhole(In("titles.dat")), "new");
  EXPECT_EQ(Names(), std::set<std::string>{"titles.dat"});
}

TEST_F(Win32FileSystemTest, ATargetThatIsAFolderIsReportedAndLeavesNoTemporaryFile) {
  ASSERT_TRUE(CreateDirectoryA(In("titles.dat").c_str(), nullptr));
  EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(In("titles.dat"), "new"); }),
            "Cannot create file " + In("titles.dat"));
  EXPECT_EQ(Names(), std::set<std::string>{"titles.dat"});
}

TEST_F(Win32FileSystemTest, NamesThatCannotBeCreatedAreReported) {
  for (const std::string& path : {In("no-such-folder\\titles.dat"), In("bad<name>.dat"), std::string()}) {
    EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(path, "x"); }), "Cannot create file " + path);
  }
  EXPECT_TRUE(Names().empty());
}

// A profile folder in a script the code page lacks (here Greek under the
// Western one): the report is kept under the folder's own name, wide, which
// needs no short name (a volume may keep none), and so is a file of such a
// name.
TEST_F(Win32FileSystemTest, AFolderOrFileTheCodePageCannotSpellIsWrittenUnderItsOwnName) {
  const std::string greek = "\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1 folder";  // UTF-8
  const std::wstring wideFolder = WideFromAnsi(folder) + L"\\" + WideFromUtf8(greek);
  const auto namesInGreek = [&wideFolder] {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    const UniqueFind find(FindFirstFileW((wideFolder + L"\\*").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &found)) {
      if (found.cFileName[0] != L'.') names.insert(found.cFileName);
    }
    return names;
  };
  ASSERT_TRUE(CreateDirectoryW(wideFolder.c_str(), nullptr));
  const std::string target = folder + "\\" + greek + "\\erase-report.txt";
  files.WriteWholeAtomicallyUtf8(target, "kept");
  files.WriteWholeAtomicallyUtf8(target, "replaced");
  EXPECT_EQ(files.ReadWholeInPiecesUtf8(target, {}), "replaced");
  EXPECT_EQ(namesInGreek(), std::set<std::wstring>{L"erase-report.txt"});
  files.WriteWholeAtomicallyUtf8(target + "\xce\xa9", "x");
  EXPECT_EQ(files.ReadWholeInPiecesUtf8(target + "\xce\xa9", {}), "x");
  EXPECT_EQ(namesInGreek(), (std::set<std::wstring>{L"erase-report.txt", L"erase-report.txt\u03a9"}));
}

TEST_F(Win32FileSystemTest, PathsLongerThanMaxPathAreReportedNotFollowed) {
  const std::string longPath = In(std::string(300, 'n') + ".dat");
  EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(longPath, "x"); }), "Cannot create file " + longPath);
  EXPECT_EQ(ErrorOf([&] { files.ReadWhole(longPath); }), "Cannot open file " + longPath);
  // It cannot be examined, so it counts as present: the block list's exit
  // save must not take it for a missing file and write over it.
  EXPECT_TRUE(files.Exists(longPath));
  EXPECT_TRUE(Names().empty());
}

TEST_F(Win32FileSystemTest, AFolderTooLongForSystemTemporaryNamesIsSavedIntoWhereTheTargetFits) {
  const std::string deep = LongestFolderForTitles();
  ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH - 14)) << "too long for GetTempFileNameA";
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  const std::string target = deep + "\\titles.dat";
  EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(target, "deep"); }), "");
  EXPECT_EQ(files.ReadWhole(target), "deep");
  EXPECT_EQ(NamesIn(deep), std::set<std::string>{"titles.dat"});
  // A name too long for the listing above would still keep the folder.
  ASSERT_TRUE(DeleteFileA(target.c_str()));
  EXPECT_TRUE(RemoveDirectoryA(deep.c_str())) << "something else was left in the folder";
}

TEST_F(Win32FileSystemTest, TemporariesLeftByAnEarlierRunGoAtTheNextSaveAndLookAlikesStay) {
  // Left by saves that were killed before their rename, by this build and an older one.
  PutFile(In("vdl3a7.tmp"), "half a list");
  PutFile(In("VDL1F2E.TMP"), "half a list");
  const std::set<std::string> lookAlikes = {"vdl12345.tmp", "vdlnotes.tmp", "avdl1.tmp", "vdl1.tmp.bak", "vdl.tmp"};
  for (const auto& name : lookAlikes) PutFile(In(name), "the user's");
  ASSERT_TRUE(CreateDirectoryA(In("vdl2.tmp").c_str(), nullptr));

  files.WriteWholeAtomically(In("titles.dat"), "list");

  std::set<std::string> expected = lookAlikes;
  expected.insert({"titles.dat", "vdl2.tmp"});
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(files.ReadWhole(In("vdl12345.tmp")), "the user's");
}

TEST_F(Win32FileSystemTest, AWriteElsewhereLeavesTheNamesOtherProgramsGetForTheirTemporaries) {
  // GetTempFileName gives any program that asks with the prefix "vdl" such
  // names: an export into their folder must leave them.
  const std::string exports = In("exports");
  ASSERT_TRUE(CreateDirectoryA(exports.c_str(), nullptr));
  const std::set<std::string> theirs = {"vdl1A2.tmp", "VDL3F.TMP", "vdlc0de.tmp"};
  for (const auto& name : theirs) PutFile(exports + "\\" + name, "another program's");

  files.WriteWholeAtomically(exports + "\\list.dat", "list");
  files.WriteWholeAtomically(exports + "\\titles.dat", "list");

  std::set<std::string> expected = theirs;
  expected.insert({"list.dat", "titles.dat"});
  EXPECT_EQ(NamesIn(exports), expected);
  EXPECT_EQ(files.ReadWhole(exports + "\\vdl1A2.tmp"), "another program's");
}

}  // namespace
}  // namespace vandrel
