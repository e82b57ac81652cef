// Win32FileSystem under Wine, in a scratch folder beside the test program.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "platform/PlatformError.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileSystem.h"

namespace vandrel {
namespace {

struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle find) noexcept { FindClose(find); }
};

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
    folder = ExecutableFolder() + "\\file-system-test";
    RemoveAll();
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  }
  void TearDown() override { RemoveAll(); }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueResource<FindTraits> find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find.get(), &found));
    return names;
  }
  void RemoveAll() {
    for (const auto& name : Names()) {
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
  }
  std::string In(const std::string& name) const { return folder + "\\" + name; }

  std::string folder;
  Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, ExistsOnlyForFiles) {
  PutFile(In("a.dat"), "x");
  EXPECT_TRUE(files.Exists(In("a.dat")));
  EXPECT_FALSE(files.Exists(In("missing.dat")));
  EXPECT_FALSE(files.Exists(folder));
}

TEST_F(Win32FileSystemTest, ReadsTheWholeFileByteForByte) {
  std::string content(300'000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
  PutFile(In("a.dat"), content);
  EXPECT_EQ(files.ReadWhole(In("a.dat")), content);
  PutFile(In("empty.dat"), "");
  EXPECT_EQ(files.ReadWhole(In("empty.dat")), "");
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

TEST_F(Win32FileSystemTest, PathsLongerThanMaxPathAreReportedNotFollowed) {
  const std::string longPath = In(std::string(300, 'n') + ".dat");
  EXPECT_EQ(ErrorOf([&] { files.WriteWholeAtomically(longPath, "x"); }), "Cannot create file " + longPath);
  EXPECT_EQ(ErrorOf([&] { files.ReadWhole(longPath); }), "Cannot open file " + longPath);
  EXPECT_FALSE(files.Exists(longPath));
  EXPECT_TRUE(Names().empty());
}

}  // namespace
}  // namespace vandrel
