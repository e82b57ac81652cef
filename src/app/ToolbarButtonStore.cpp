#include "app/ToolbarButtonStore.h"

#include "app/RegistryGuid.h"

namespace vandrel {
namespace {

constexpr RootKey kMachine = RootKey::LocalMachine;

struct ActionValues {
  const char* clsid;
  const char* valueName;
};

// Extension objects are named with a lower-case "d" in "11d2"; the others
// carry the same identifier in upper case.
const ActionValues* ActionValuesFor(int kind) {
  static constexpr ActionValues kExtension{"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}", "ClsidExtension"};
  static constexpr ActionValues kBand{"{E0DD6CAB-2D10-11D2-8F1A-0000F87ABD16}", "BandCLSID"};
  static constexpr ActionValues kScript{"{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}", "Script"};
  static constexpr ActionValues kProgram{"{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}", "Exec"};
  switch (kind) {
    case kToolbarRunsExtension: return &kExtension;
    case kToolbarOpensBand: return &kBand;
    case kToolbarRunsScript: return &kScript;
    case kToolbarRunsProgram: return &kProgram;
    default: return nullptr;
  }
}

std::string ExtensionKeyOf(const std::string& identifier) {
  return std::string(kBrowserExtensionsKey) + "\\" + identifier;
}

std::string IconReference(const std::string& executablePath, int resourceId) {
  return executablePath + "," + std::to_string(resourceId);
}

}  // namespace

std::string ToolbarButtonStore::RegisterToolbarButton(bool visible, int kind, const std::string& buttonText,
                                                      const std::string& hotIcon, const std::string& icon,
                                                      const std::string& action) {
  const std::string identifier = RegistryGuidText(guids_.NewGuid());
  // The record comes first: a write refused halfway leaves an extension key
  // that the record still names, never one nothing can find.
  registry_.WriteString(kMachine, kToolbarButtonsKey, buttonText, identifier);
  const std::string key = ExtensionKeyOf(identifier);
  registry_.WriteString(kMachine, key, "Default Visible", visible ? "Yes" : "No");
  registry_.WriteString(kMachine, key, "ButtonText", buttonText);
  registry_.WriteString(kMachine, key, "HotIcon", hotIcon);
  registry_.WriteString(kMachine, key, "Icon", icon);
  if (const ActionValues* values = ActionValuesFor(kind)) {
    registry_.WriteString(kMachine, key, "CLSID", values->clsid);
    registry_.WriteString(kMachine, key, values->valueName, action);
  }
  return identifier;
}

bool ToolbarButtonStore::UnregisterToolbarButton(const std::string& buttonText) {
  const auto recorded = registry_.ReadValue(kMachine, kToolbarButtonsKey, buttonText);
  // Only an identifier names one button's key: any other text, damaged or
  // planted, could name another key below Extensions, or Extensions itself.
  if (!recorded || !IsRegistryGuidText(recorded->text)) return true;
  const std::string key = ExtensionKeyOf(recorded->text);
  registry_.DeleteKeyTree(kMachine, key);
  // The record goes only with its key, so a key that refused to go stays findable.
  if (!registry_.KeyExists(kMachine, key)) registry_.DeleteValue(kMachine, kToolbarButtonsKey, buttonText);
  return true;
}

void ToolbarButtonStore::Register(const std::string& executablePath) {
  RegisterToolbarButton(true, kToolbarRunsProgram, kToolbarButtonText, IconReference(executablePath, kToolbarHotIconId),
                        IconReference(executablePath, kToolbarIconId), executablePath);
}

void ToolbarButtonStore::Unregister(const std::string& buttonText) { UnregisterToolbarButton(buttonText); }

}  // namespace vandrel
