// The shell adapter inside the test prefix: special folders, environment,
// the folder listing and the quiet recycle bin.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Shell.h"

namespace vandrel {
namespace {

TEST(Win32Shell, SpecialFoldersAreFullPathsWithoutTrailingBackslash) {
  Win32Shell shell(nullptr);
  for (SpecialFolder kind : {SpecialFolder::Programs, SpecialFolder::AppData, SpecialFolder::CommonFiles,
                             SpecialFolder::LocalAppData, SpecialFolder::CommonAppData}) {
    const std::string folder = shell.SpecialFolderPath(kind);
    ASSERT_GT(folder.size(), 3u) << static_cast<int>(kind);
    EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
    EXPECT_NE(folder.back(), '\\') << folder;
    EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
  }
  EXPECT_NE(shell.SpecialFolderPath(SpecialFolder::Programs), shell.SpecialFolderPath(SpecialFolder::CommonFiles));
}

TEST(Win32Shell, EnvironmentIsReadWhateverItsLength) {
  Win32Shell shell(nullptr);
  EXPECT_GE(shell.EnvironmentVariable("Temp").size(), 4u);
  const std::string longValue(MAX_PATH * 2, 'v');
  ASSERT_TRUE(SetEnvironmentVariableA("VANDREL_LONG", longValue.c_str()));
  EXPECT_EQ(shell.EnvironmentVariable("VANDREL_LONG"), longValue);
  EXPECT_EQ(shell.EnvironmentVariable("VANDREL_NOT_SET"), "");
  ASSERT_TRUE(SetEnvironmentVariableW(L"VANDREL_WIDE", L"C:\\T\u00e9mp \u03a4\u65e5"));
  EXPECT_EQ(shell.EnvironmentVariable("VANDREL_WIDE"), "C:\\T\xc3\xa9mp \xce\xa4\xe6\x97\xa5");  // in UTF-8
}

TEST(Win32Shell, ListsSubfoldersButNotFiles) {
  Win32Shell shell(nullptr);
  const std::string root = shell.EnvironmentVariable("Temp") + "\\vandrel-shell-test";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA((root + "\\One").c_str(), nullptr);
  CreateDirectoryA((root + "\\Two").c_str(), nullptr);
  const std::wstring wide = std::wstring(root.begin(), root.end()) + L"\\\u03a4\u65e5";  // beyond the code page
  CreateDirectoryW(wide.c_str(), nullptr);
  const HANDLE file = CreateFileA((root + "\\index.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  auto names = shell.Subfolders(root).value_or(std::vector<std::string>{"not listed"});
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"One", "Two", "\xce\xa4\xe6\x97\xa5"}));
  EXPECT_EQ(shell.Subfolders(root + "\\missing"), std::vector<std::string>{});

  DeleteFileA((root + "\\index.dat").c_str());
  RemoveDirectoryA((root + "\\One").c_str());
  RemoveDirectoryA((root + "\\Two").c_str());
  RemoveDirectoryW(wide.c_str());
  RemoveDirectoryA(root.c_str());
}

// A folder whose path is longer than MAX_PATH (a deep cache, say) is listed
// all the same.
TEST(Win32Shell, ListsTheSubfoldersOfAFolderPastMaxPath) {
  Win32Shell shell(nullptr);
  const std::wstring top = L"\\\\?\\" + WideFromUtf8(shell.EnvironmentVariable("Temp")) + L"\\vandrel-shell-deep";
  std::wstring deep = top;
  CreateDirectoryW(top.c_str(), nullptr);
  while (deep.size() < MAX_PATH + 40) {
    deep += L"\\" + std::wstring(30, L'd');
    CreateDirectoryW(deep.c_str(), nullptr);
  }
  ASSERT_TRUE(CreateDirectoryW((deep + L"\\Day").c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  EXPECT_EQ(shell.Subfolders(Utf8FromWide(deep.substr(4))), std::vector<std::string>{"Day"});
  RemoveDirectoryW((deep + L"\\Day").c_str());
  for (; deep.size() > top.size(); deep.resize(deep.find_last_of(L'\\'))) RemoveDirectoryW(deep.c_str());
  RemoveDirectoryW(top.c_str());
}

TEST(Win32Shell, RecycleBinAndRecentDocumentsEmptyWithoutABox) {
  // Wine's recycle bin is the desktop's trash: only ever the build tree's.
  if (!std::getenv("XDG_DATA_HOME")) GTEST_SKIP() << "the trash folder is not the test's own";
  Win32Shell shell(nullptr);
  EXPECT_TRUE(shell.EmptyRecycleBin());
  shell.ClearRecentDocuments();
  EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr);  // no dialog was left up
}

}  // namespace
}  // namespace vandrel
