#include <gtest/gtest.h>

#include "app/RegistryGuid.h"
#include "app/ToolbarButtonStore.h"
#include "fakes/MemoryPlatform.h"
#include "platform/PlatformError.h"
#include "platform/memory/MemoryGuidSource.h"

namespace vandrel {
namespace {

constexpr RootKey kLm = RootKey::LocalMachine;
constexpr const char* kExe = "C:\\Program Files\\Vandrel\\Vandrel.exe";
constexpr const char* kFirstId = "{00000001-ABCD-12EF-8A0B-00C04FD930C9}";
constexpr const char* kSecondId = "{00000002-ABCD-12EF-8A0B-00C04FD930C9}";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class ToolbarButtonStoreTest : public ::testing::Test {
 protected:
  std::string Text(const std::string& path, const std::string& name) {
    const auto value = registry.ReadValue(kLm, path, name);
    if (!value) return "<missing>";
    return value->kind == ValueKind::String ? value->text : "<not a string>";
  }
  std::string Extension(const std::string& id) { return std::string(kBrowserExtensionsKey) + "\\" + id; }
  std::vector<std::string> Extensions() { return registry.SubkeyNames(kLm, kBrowserExtensionsKey); }
  std::string Recorded() { return Text(kToolbarButtonsKey, kToolbarButtonText); }

  MemoryRegistry registry;
  MemoryGuidSource guids;
  ToolbarButtonStore store{registry, guids};
};

TEST_F(ToolbarButtonStoreTest, TheProgramsButtonIsOneExtensionKeyOfSixStringsAndItsRecord) {
  store.Unregister(kToolbarButtonText);
  store.Register(kExe);
  EXPECT_EQ(Extensions(), std::vector<std::string>{Lower(kFirstId)});
  const std::string key = Extension(kFirstId);
  EXPECT_EQ(registry.ValueCount(kLm, key), 6u);
  EXPECT_EQ(Text(key, "Default Visible"), "Yes");
  EXPECT_EQ(Text(key, "ButtonText"), "P&&ZAVO");
  EXPECT_EQ(Text(key, "HotIcon"), std::string(kExe) + ",1000");
  EXPECT_EQ(Text(key, "Icon"), std::string(kExe) + ",1001");
  EXPECT_EQ(Text(key, "CLSID"), "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}");
  EXPECT_EQ(Text(key, "Exec"), kExe);
  EXPECT_EQ(registry.ValueCount(kLm, kToolbarButtonsKey), 1u);
  EXPECT_EQ(Recorded(), kFirstId);
}

TEST_F(ToolbarButtonStoreTest, EachActionKindWritesItsOwnClassAndValue) {
  struct Case {
    int kind;
    const char* clsid;
    const char* actionName;
  };
  for (const Case& c : {Case{0, "{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}", "ClsidExtension"},
                        Case{1, "{E0DD6CAB-2D10-11D2-8F1A-0000F87ABD16}", "BandCLSID"},
                        Case{2, "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}", "Script"}}) {
    const std::string key = Extension(store.RegisterToolbarButton(false, c.kind, "B", "h", "i", "act"));
    EXPECT_EQ(Text(key, "Default Visible"), "No");
    EXPECT_EQ(Text(key, "CLSID"), c.clsid) << c.kind;
    EXPECT_EQ(Text(key, c.actionName), "act") << c.kind;
    EXPECT_EQ(registry.ValueCount(kLm, key), 6u) << c.kind;
  }
  const std::string plain = Extension(store.RegisterToolbarButton(true, 4, "B", "h", "i", "act"));
  EXPECT_EQ(registry.ValueCount(kLm, plain), 4u);
  EXPECT_EQ(Text(plain, "CLSID"), "<missing>");
}

TEST_F(ToolbarButtonStoreTest, RegisteringAgainReplacesTheButtonUnderANewIdentifier) {
  for (int run = 0; run < 2; ++run) {
    store.Unregister(kToolbarButtonText);
    store.Register(kExe);
  }
  EXPECT_EQ(Extensions(), std::vector<std::string>{Lower(kSecondId)});
  EXPECT_EQ(Recorded(), kSecondId);
  store.Unregister(kToolbarButtonText);
  EXPECT_TRUE(Extensions().empty());
  EXPECT_EQ(Recorded(), "<missing>");
  EXPECT_TRUE(registry.KeyExists(kLm, kToolbarButtonsKey));
}

TEST_F(ToolbarButtonStoreTest, ARecordThatIsNoIdentifierRemovesNothing) {
  const std::string other = "{00000009-ABCD-12EF-8A0B-00C04FD930C9}";
  for (const std::string& recorded :
       {other.substr(1), other + "}", std::string("{00000009-ABCD-12EF-8A0B-00C04FD930C9\\"),
        std::string("Other-vendor-button-38-characters-long"), std::string("{0000000G-ABCD-12EF-8A0B-00C04FD930C9}")}) {
    registry.WriteString(kLm, Extension(other), "ButtonText", "theirs");
    registry.WriteString(kLm, Extension(recorded), "ButtonText", "theirs");
    registry.WriteString(kLm, kToolbarButtonsKey, kToolbarButtonText, recorded);
    const auto before = Extensions();
    EXPECT_TRUE(store.UnregisterToolbarButton(kToolbarButtonText));
    EXPECT_EQ(Extensions(), before) << recorded;
    EXPECT_EQ(Recorded(), recorded);
  }
}

TEST_F(ToolbarButtonStoreTest, ARefusedMachineWideWriteLeavesNothingOrWhatTheRecordFinds) {
  registry.DenyWrites(kLm, "Software");
  try {
    store.Register(kExe);
    ADD_FAILURE() << "the refused write was not reported";
  } catch (const PlatformError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'P&&ZAVO'");
  }
  EXPECT_FALSE(registry.KeyExists(kLm, kBrowserExtensionsKey));
  EXPECT_FALSE(registry.KeyExists(kLm, kToolbarButtonsKey));

  MemoryRegistry onlyRecords;  // the record may be written, the extension key not
  ToolbarButtonStore partly{onlyRecords, guids};
  onlyRecords.DenyWrites(kLm, kBrowserExtensionsKey);
  EXPECT_THROW(partly.Register(kExe), PlatformError);
  ASSERT_TRUE(onlyRecords.ReadValue(kLm, kToolbarButtonsKey, kToolbarButtonText));
  partly.Unregister(kToolbarButtonText);
  EXPECT_FALSE(onlyRecords.ReadValue(kLm, kToolbarButtonsKey, kToolbarButtonText));
}

TEST_F(ToolbarButtonStoreTest, AKeyThatRefusesToGoKeepsTheRecordThatFindsIt) {
  store.Register(kExe);
  registry.DenyDeletes(kLm, Extension(kFirstId));
  store.Unregister(kToolbarButtonText);
  EXPECT_EQ(Recorded(), kFirstId);
  registry.AllowDeletes(kLm, Extension(kFirstId));
  store.Unregister(kToolbarButtonText);
  EXPECT_TRUE(Extensions().empty());
  EXPECT_EQ(Recorded(), "<missing>");
}

TEST(RegistryGuidTest, FormatsUpperCaseInTheRegistryFormAndKnowsThatFormOnly) {
  const Guid guid{0x0012ABCD, 0x00EF, 0xA1B2, {0x00, 0x1F, 0xC3, 0xD4, 0xE5, 0xF6, 0x07, 0x8A}};
  EXPECT_EQ(RegistryGuidText(guid), "{0012ABCD-00EF-A1B2-001F-C3D4E5F6078A}");
  EXPECT_TRUE(IsRegistryGuidText("{0012abcd-00ef-a1b2-001f-c3d4e5f6078a}"));
  for (const char* bad : {"", "0012ABCD-00EF-A1B2-001F-C3D4E5F6078A", "{0012ABCD-00EF-A1B2-001F-C3D4E5F6078A",
                          "{0012ABCD-00EF-A1B2-001F-C3D4E5F6078AB}", "{0012ABCD-00EF-A1B2-001FC-3D4E5F6078A}",
                          "{0012ABCD-00EF-A1B2-001F-C3D4E5F6078 }", "(0012ABCD-00EF-A1B2-001F-C3D4E5F6078A)"}) {
    EXPECT_FALSE(IsRegistryGuidText(bad)) << bad;
  }
}

}  // namespace
}  // namespace vandrel
