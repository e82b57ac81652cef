// Win32Registry against Wine's registry.
#include <gtest/gtest.h>

#include <string>

#include "RegistryReset.h"
#include "platform/PlatformError.h"
#include "platform/win32/Win32Registry.h"

namespace vandrel {
namespace {

using test::View;

constexpr char kKey[] = "Software\\VandrelAdapterTest";
constexpr char kSubKey[] = "Software\\VandrelAdapterTest\\Sub";

HKEY HandleOf(RootKey root) { return root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// The text of a string value, with a marker for a missing or non-string one
// so that a wrong read fails the comparison instead of the test program.
std::string TextOf(const std::optional<RegistryValue>& value) {
  if (!value) return "<missing>";
  if (value->kind != ValueKind::String) return "<not a string>";
  return value->text;
}

// Removes the test key (from both views of the machine keys), also after a
// test that left it refusing access.
void RemoveTestKey(HKEY root) {
  test::AllowAllAccess(root, kKey);
  for (const View view : {View::Default, View::Wow32, View::Wow64}) test::DeleteKeyTree(root, kKey, view);
}

// Runs every case against both roots; each starts and ends without the key.
class Win32RegistryTest : public ::testing::TestWithParam<RootKey> {
 protected:
  void SetUp() override { RemoveTestKey(root()); }
  void TearDown() override { RemoveTestKey(root()); }
  RootKey rootKey() const { return GetParam(); }
  HKEY root() const { return HandleOf(GetParam()); }

  Win32Registry registry;
};

TEST_P(Win32RegistryTest, StringsAndDwordsReadBackAsWritten) {
  registry.WriteString(rootKey(), kSubKey, "Text", "hello world");
  registry.WriteString(rootKey(), kSubKey, "Empty", "");
  registry.WriteDword(rootKey(), kSubKey, "Number", 0xFFFFFFFEu);

  EXPECT_EQ(TextOf(registry.ReadValue(rootKey(), kSubKey, "Text")), "hello world");
  EXPECT_EQ(TextOf(registry.ReadValue(rootKey(), kSubKey, "Empty")), "");
  EXPECT_EQ(TextOf(registry.ReadValueOrThrow(rootKey(), kSubKey, "Text")), "hello world");
  EXPECT_EQ(TextOf(registry.ReadValueOrThrow(rootKey(), kSubKey, "Empty")), "");
  const auto number = registry.ReadValue(rootKey(), kSubKey, "Number");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->kind, ValueKind::Dword);
  EXPECT_EQ(number->number, 0xFFFFFFFEu);
}

TEST_P(Win32RegistryTest, ValueNamesAreCaseInsensitive) {
  registry.WriteString(rootKey(), kKey, "Window Title", "x");
  EXPECT_TRUE(registry.ReadValue(rootKey(), "SOFTWARE\\vandreladaptertest", "WINDOW TITLE"));
}

TEST_P(Win32RegistryTest, MissingKeyAndMissingValueReadAsNothing) {
  EXPECT_FALSE(registry.KeyExists(rootKey(), kKey));
  EXPECT_FALSE(registry.ReadValue(rootKey(), kKey, "Text"));
  EXPECT_FALSE(registry.ReadValueOrThrow(rootKey(), kKey, "Text"));
  ASSERT_TRUE(registry.CreateKey(rootKey(), kSubKey));
  EXPECT_TRUE(registry.KeyExists(rootKey(), kSubKey));
  EXPECT_FALSE(registry.ReadValue(rootKey(), kSubKey, "Text"));
  EXPECT_FALSE(registry.ReadValueOrThrow(rootKey(), kSubKey, "Text"));
}

TEST_P(Win32RegistryTest, ExpandStringsReadAsStringsUnexpanded) {
  ASSERT_TRUE(test::WriteString(root(), kKey, "Path", "%TEMP%\\x", REG_EXPAND_SZ));
  EXPECT_EQ(TextOf(registry.ReadValue(rootKey(), kKey, "Path")), "%TEMP%\\x");
}

// A path reads whole in UTF-8, letters that the ANSI code page lacks too;
// a value of another type is no path.
TEST_P(Win32RegistryTest, PathsReadInUtf8WithEveryLetter) {
  ASSERT_TRUE(test::WriteWideString(root(), kKey, "Path", L"C:\\T\u00e9mp \u03a4\u65e5", REG_EXPAND_SZ));
  ASSERT_TRUE(test::WriteBinary(root(), kKey, "Binary", "ab"));
  EXPECT_EQ(registry.ReadPath(rootKey(), kKey, "Path"), "C:\\T\xc3\xa9mp \xce\xa4\xe6\x97\xa5");
  EXPECT_FALSE(registry.ReadPath(rootKey(), kKey, "Binary"));
  EXPECT_FALSE(registry.ReadPath(rootKey(), kKey, "Missing"));
}

TEST_P(Win32RegistryTest, OtherTypesReadAsOther) {
  ASSERT_TRUE(test::WriteBinary(root(), kKey, "Binary", std::string("\x01\x00\x02", 3)));
  ASSERT_TRUE(test::WriteString(root(), kKey, "Multi", "a", REG_MULTI_SZ));
  ASSERT_TRUE(test::WriteBinary(root(), kKey, "Empty", ""));
  for (const char* name : {"Binary", "Multi", "Empty"}) {
    const auto value = registry.ReadValue(rootKey(), kKey, name);
    ASSERT_TRUE(value) << name;
    EXPECT_EQ(value->kind, ValueKind::Other) << name;
  }
}

TEST_P(Win32RegistryTest, StringDataEndsAtItsFirstNul) {
  const View view = test::DefaultViewOf(root());
  ASSERT_TRUE(test::WriteRaw(root(), kKey, "NoNul", REG_SZ, "abc", 3, view));
  ASSERT_TRUE(test::WriteRaw(root(), kKey, "ManyNuls", REG_SZ, "abc\0\0\0", 6, view));
  ASSERT_TRUE(test::WriteRaw(root(), kKey, "Zero", REG_SZ, "", 0, view));
  EXPECT_EQ(TextOf(registry.ReadValue(rootKey(), kKey, "NoNul")), "abc");
  EXPECT_EQ(TextOf(registry.ReadValue(rootKey(), kKey, "ManyNuls")), "abc");
  EXPECT_EQ(TextOf(registry.ReadValue(rootKey(), kKey, "Zero")), "");
}

TEST_P(Win32RegistryTest, LongStringsReadWhole) {
  std::string text;
  for (int i = 0; text.size() < 100000; ++i) text += std::to_string(i) + ',';
  registry.WriteString(rootKey(), kKey, "Long", text);
  EXPECT_EQ(TextOf(registry.ReadValue(rootKey(), kKey, "Long")), text);
}

TEST_P(Win32RegistryTest, ARefusedWriteThrowsTheUsersMessage) {
  ASSERT_TRUE(test::DenyAllAccess(root(), kKey));
  try {
    registry.WriteString(rootKey(), kKey, "Blocked", "x");
    FAIL() << "the write was not refused";
  } catch (const PlatformError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Blocked'");
  }
  EXPECT_THROW(registry.WriteDword(rootKey(), kKey, "Count", 1), PlatformError);
}

TEST_P(Win32RegistryTest, DeleteValueReportsWhetherItWasThere) {
  registry.WriteString(rootKey(), kKey, "Gone", "x");
  registry.WriteString(rootKey(), kKey, "Kept", "y");
  EXPECT_TRUE(registry.DeleteValue(rootKey(), kKey, "Gone"));
  EXPECT_FALSE(registry.ReadValue(rootKey(), kKey, "Gone"));
  EXPECT_TRUE(registry.ReadValue(rootKey(), kKey, "Kept"));
  EXPECT_FALSE(registry.DeleteValue(rootKey(), kKey, "Gone"));
  EXPECT_FALSE(registry.DeleteValue(rootKey(), "Software\\VandrelNoSuchKey", "Gone"));
}

TEST_P(Win32RegistryTest, DeleteKeyTreeRemovesSubkeysAndValues) {
  registry.WriteString(rootKey(), kKey, "Top", "x");
  registry.WriteDword(rootKey(), kSubKey, "Middle", 1);
  registry.WriteString(rootKey(), std::string(kSubKey) + "\\Deeper\\Deepest", "Bottom", "z");
  registry.WriteString(rootKey(), "Software\\VandrelAdapterTestSibling", "Kept", "k");

  EXPECT_TRUE(registry.DeleteKeyTree(rootKey(), kKey));
  EXPECT_FALSE(test::KeyExists(root(), kKey, test::DefaultViewOf(root())));
  EXPECT_TRUE(registry.KeyExists(rootKey(), "Software\\VandrelAdapterTestSibling"));
  EXPECT_FALSE(registry.DeleteKeyTree(rootKey(), kKey));
  test::DeleteKeyTree(root(), "Software\\VandrelAdapterTestSibling");
}

INSTANTIATE_TEST_SUITE_P(BothRoots, Win32RegistryTest, ::testing::Values(RootKey::CurrentUser, RootKey::LocalMachine),
                         [](const auto& info) {
                           return info.param == RootKey::CurrentUser ? "CurrentUser" : "LocalMachine";
                         });

// The 64-bit build must still use the 32-bit browser's view of the machine keys.
class MachineViewTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveTestKey(HKEY_LOCAL_MACHINE); }
  void TearDown() override { RemoveTestKey(HKEY_LOCAL_MACHINE); }

  Win32Registry registry;
};

TEST_F(MachineViewTest, WritesLandInThe32BitViewOnly) {
  registry.WriteString(RootKey::LocalMachine, kKey, "Where", "wow32");
  const auto wow32 = test::ReadRaw(HKEY_LOCAL_MACHINE, kKey, "Where", View::Wow32);
  ASSERT_TRUE(wow32);
  EXPECT_STREQ(wow32->bytes.c_str(), "wow32");
  EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kKey, View::Wow64));
}

TEST_F(MachineViewTest, ReadsIgnoreThe64BitView) {
  ASSERT_TRUE(test::WriteRaw(HKEY_LOCAL_MACHINE, kKey, "Where", REG_SZ, "wow64", 6, View::Wow64));
  EXPECT_FALSE(registry.KeyExists(RootKey::LocalMachine, kKey));
  EXPECT_FALSE(registry.ReadValue(RootKey::LocalMachine, kKey, "Where"));
}

TEST_F(MachineViewTest, DeletesLeaveThe64BitViewAlone) {
  ASSERT_TRUE(test::WriteRaw(HKEY_LOCAL_MACHINE, kSubKey, "Where", REG_SZ, "wow64", 6, View::Wow64));
  registry.WriteString(RootKey::LocalMachine, kSubKey, "Where", "wow32");
  EXPECT_TRUE(registry.DeleteValue(RootKey::LocalMachine, kSubKey, "Where"));
  EXPECT_TRUE(registry.DeleteKeyTree(RootKey::LocalMachine, kKey));
  EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kKey, View::Wow32));
  EXPECT_TRUE(test::ReadRaw(HKEY_LOCAL_MACHINE, kSubKey, "Where", View::Wow64));
}

}  // namespace
}  // namespace vandrel
