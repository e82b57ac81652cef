// The run as XP proves itself before its tests count: the exe it drives
// holds none of the names of the functions that NT 5.x lacks, only their
// altered spellings, which Wine's libraries do not export; and Wine tells
// the running program that it runs on XP.
#include <gtest/gtest.h>

#include <fstream>

#include "RegistryReset.h"
#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

struct AlteredName {
  std::string name;
  std::string altered;
};

// make-xp-copy's list: one "name -> altered" a line.
std::vector<AlteredName> ReadAlteredNames() {
  std::vector<AlteredName> names;
  std::ifstream list(VANDREL_XP_ALTERED_NAMES);
  std::string line;
  while (std::getline(list, line)) {
    const auto arrow = line.find(" -> ");
    if (arrow != std::string::npos) names.push_back({line.substr(0, arrow), line.substr(arrow + 4)});
  }
  return names;
}

bool HoldsString(const std::string& bytes, const std::string& text) {
  return bytes.find('\0' + text + '\0') != std::string::npos;
}

// Whether any library the program may look a function up in exports it.
bool AnyLibraryExports(const std::string& name) {
  for (const char* library : {"kernel32.dll", "ntdll.dll", "msvcrt.dll", "user32.dll", "advapi32.dll", "shell32.dll"}) {
    const HMODULE module = LoadLibraryA(library);
    if (module && GetProcAddress(module, name.c_str())) return true;
  }
  return false;
}

TEST(XpRigTest, TheExeFindsNoneOfTheNewerFunctionsAndIsToldItRunsOnXp) {
  ASSERT_TRUE(ReportedWindows()) << "run through ctest's XP run";
  const auto names = ReadAlteredNames();
  ASSERT_FALSE(names.empty()) << VANDREL_XP_ALTERED_NAMES;
  const auto exe = ReadFileBytes(VandrelPath());
  ASSERT_TRUE(exe);
  for (const AlteredName& each : names) {
    SCOPED_TRACE(each.name);
    EXPECT_FALSE(HoldsString(*exe, each.name));
    EXPECT_TRUE(HoldsString(*exe, each.altered));
    EXPECT_TRUE(AnyLibraryExports(each.name)) << "Wine has it: the run as Windows 7 takes the other path";
    EXPECT_FALSE(AnyLibraryExports(each.altered));
  }
  for (const char* vistaOnly : {"GetFinalPathNameByHandleW", "SetFileInformationByHandle"}) {
    EXPECT_FALSE(HoldsString(*exe, vistaOnly)) << vistaOnly;
  }

  ResetVandrelState();
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  RECT outer{};
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 750) << "the main window's width on XP";
  EXPECT_TRUE(vandrel.Quit());
  ResetVandrelState();
}

}  // namespace
}  // namespace vandrel::test
