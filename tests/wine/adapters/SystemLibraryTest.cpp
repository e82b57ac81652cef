#include "platform/win32/SystemLibrary.h"

#include <gtest/gtest.h>

#include <string>

#include "Launch.h"
#include "platform/win32/Handles.h"

namespace vandrel {
namespace {

std::string FolderOf(HMODULE module) {
  char path[MAX_PATH] = {};
  const std::string whole(path, GetModuleFileNameA(module, path, MAX_PATH));
  return whole.substr(0, whole.find_last_of('\\'));
}

// A library planted beside the program under a system library's name is not
// what the program loads: only the system folder's copy is.
TEST(SystemLibraryTest, OnlyTheSystemFoldersLibraryIsLoadedNeverOneBesideTheProgram) {
  const std::string beside = FolderOf(nullptr) + "\\vdlplanted.dll";
  ASSERT_TRUE(CopyFileA(test::WindowsPathOf(VANDREL_PLANTED_LIBRARY).c_str(), beside.c_str(), FALSE));
  {
    // The plant works: a load by bare name takes it.
    const UniqueModule byName(LoadLibraryA("vdlplanted.dll"));
    ASSERT_TRUE(byName);
  }
  EXPECT_FALSE(UniqueModule(LoadSystemLibrary("vdlplanted.dll")));

  const UniqueModule winmm(LoadSystemLibrary("winmm.dll"));
  ASSERT_TRUE(winmm);
  char system[MAX_PATH] = {};
  const std::string systemFolder(system, GetSystemDirectoryA(system, MAX_PATH));
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, FolderOf(winmm.get()).c_str(), -1,
                           systemFolder.c_str(), -1),
            CSTR_EQUAL)
      << FolderOf(winmm.get());
  DeleteFileA(beside.c_str());
}

}  // namespace
}  // namespace vandrel
