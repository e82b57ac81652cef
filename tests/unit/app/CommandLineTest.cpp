#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "platform/OperatingSystem.h"

namespace vandrel {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, QuotesGroupBlanksAndAreDropped) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\V\\Vandrel.exe\"  Minimize"),
            (Args{"C:\\Program Files\\V\\Vandrel.exe", "Minimize"}));
  EXPECT_EQ(SplitCommandLine("v.exe a\"b c\"d \"\"\t x"), (Args{"v.exe", "ab cd", "", "x"}));
  EXPECT_EQ(SplitCommandLine("   "), Args{});
}

TEST(CommandLineTest, OnlyTheExactFirstArgumentCounts) {
  EXPECT_EQ(ClassifyArguments({"v.exe"}), StartKind::Normal);
  EXPECT_EQ(ClassifyArguments({"v.exe", "Register"}), StartKind::Register);
  EXPECT_EQ(ClassifyArguments({"v.exe", "Unregister", "Register"}), StartKind::Unregister);
  EXPECT_EQ(ClassifyArguments({"v.exe", "Minimize"}), StartKind::Minimize);
  EXPECT_EQ(ClassifyArguments({"v.exe", "x", "Minimize"}), StartKind::Unrecognised);
  EXPECT_EQ(ClassifyArguments({"v.exe", "minimize"}), StartKind::Unrecognised);
  EXPECT_EQ(ClassifyArguments({"v.exe", "register"}), StartKind::Unrecognised);
  EXPECT_EQ(ClassifyArguments({"v.exe", "Erase", "now"}), StartKind::Erase);
  EXPECT_EQ(ClassifyArguments({"v.exe", "erase"}), StartKind::Unrecognised);
  EXPECT_EQ(ClassifyArguments({"v.exe", "Minimize "}), StartKind::Unrecognised);
  EXPECT_EQ(ClassifyArguments({"v.exe", ""}), StartKind::Unrecognised);
}

TEST(OperatingSystemTest, EveryRowOfTheVersionTable) {
  struct Row {
    std::uint32_t platform, major, minor;
    const char* servicePack;
    int code;
  };
  const Row rows[] = {
      {1, 4, 0, "", 0},  {1, 4, 10, " A ", 2}, {1, 4, 10, "", 1}, {1, 4, 10, "A", 1},
      {1, 4, 90, "", 3}, {1, 5, 0, "", -1},    {2, 3, 51, "", 4}, {2, 4, 0, "SP6", 4},
      {2, 5, 0, "", 5},  {2, 5, 1, "", 6},     {2, 5, 2, "", 7},  {2, 6, 0, "", 8},
      {2, 6, 1, "", -1}, {2, 10, 0, "", -1},   {0, 4, 0, "", -1}, {3, 5, 1, "", -1},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(GetOperatingSystem(VersionRecord{row.major, row.minor, 0, row.platform, row.servicePack}), row.code)
        << row.platform << " " << row.major << "." << row.minor << " '" << row.servicePack << "'";
  }
  EXPECT_EQ(GetOperatingSystem(std::nullopt), -1);
}

}  // namespace
}  // namespace vandrel
