// Win32SystemInfo under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/memory/MemorySystemInfo.h"
#include "platform/win32/Win32SystemInfo.h"

namespace vandrel {
namespace {

constexpr char kTestProgram[] = "vandrel_adapter_tests.exe";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Win32SystemInfo, VersionAgreesWithThePackedVersion) {
  Win32SystemInfo system;
  const auto version = system.Version();
  ASSERT_TRUE(version);
  // GetVersion packs the same facts: major, minor, then the NT build number.
  const DWORD packed = GetVersion();
  EXPECT_EQ(version->major, LOBYTE(LOWORD(packed)));
  EXPECT_EQ(version->minor, HIBYTE(LOWORD(packed)));
  EXPECT_EQ(version->platformId, 2u);  // Wine reports an NT system unless told otherwise
  EXPECT_EQ(version->build, HIWORD(packed));
  EXPECT_EQ(version->servicePack.rfind("Service Pack ", 0), 0u) << version->servicePack;
}

TEST(Win32SystemInfo, ExecutablePathIsTheRunningTestProgram) {
  Win32SystemInfo system;
  const std::string path = system.ExecutablePath();
  EXPECT_TRUE(EndsWith(path, std::string("\\") + kTestProgram)) << path;
  EXPECT_EQ(path.substr(1, 2), ":\\") << path;
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32SystemInfo, CommandLineStartsWithTheProgram) {
  Win32SystemInfo system;
  const std::string commandLine = system.CommandLine();
  const std::size_t programEnd = commandLine.find(kTestProgram);
  ASSERT_NE(programEnd, std::string::npos) << commandLine;
  EXPECT_EQ(commandLine.find(' '), commandLine.find(' ', programEnd)) << "the program comes first";
}

// Both flags join whatever mode the process had, which stays.
TEST(Win32SystemInfo, CriticalErrorsFailQuietlyAndTheModeKeepsItsOtherFlags) {
  const UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
  Win32SystemInfo().FailCriticalErrorsQuietly();
  const UINT after = SetErrorMode(before);
  EXPECT_EQ(after, static_cast<UINT>(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
}

// Wine's ANSI code page for the locales these machines run in is 1252.
TEST(Win32SystemInfo, UpperCasingFollowsTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "the expected values below are those of code page 1252";
  Win32SystemInfo system;
  const UpperCaseTable table = system.UpperCasing();
  EXPECT_EQ(table[0], 0);
  for (int c = 'a'; c <= 'z'; ++c) EXPECT_EQ(table[c], c - 'a' + 'A') << c;
  for (int c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(table[c], c);
  for (const int c : {'0', '9', ' ', '-', '[', '~'}) EXPECT_EQ(table[c], c);
  EXPECT_EQ(table[0xE4], 0xC4);  // a umlaut
  EXPECT_EQ(table[0xE9], 0xC9);  // e acute
  EXPECT_EQ(table[0x9A], 0x8A);  // s caron
  EXPECT_EQ(table[0xFF], 0x9F);  // y diaeresis
  EXPECT_EQ(table[0xC4], 0xC4);
  EXPECT_EQ(table[0xF7], 0xF7);  // the division sign has no case
  EXPECT_EQ(table[0xDF], 0xDF);  // sharp s has no single upper-case letter
}

// The lead bytes the native tests take for code pages of two-byte characters
// are those the system reports.
TEST(Win32SystemInfo, TheNativeTestsLeadBytesAreTheSystems) {
  for (const unsigned codePage : {1252u, 932u, 936u, 949u, 950u}) {
    const LeadByteTable table = LeadBytesOfCodePage(codePage);
    for (int byte = 0; byte < 256; ++byte) {
      EXPECT_EQ(table[byte], IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) != FALSE) << codePage << ": " << byte;
    }
  }
}

}  // namespace
}  // namespace vandrel
