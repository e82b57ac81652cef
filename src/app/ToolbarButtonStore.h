#pragma once
#include <string>

#include "app/ProgramEntry.h"
#include "platform/GuidSource.h"
#include "platform/Registry.h"

namespace vandrel {

// Both below HKEY_LOCAL_MACHINE, as paths relative to that root.
inline constexpr const char* kBrowserExtensionsKey = "Software\\Microsoft\\Internet Explorer\\Extensions";
inline constexpr const char* kToolbarButtonsKey = "Software\\IE5Tools\\ToolBar Buttons";

// What pressing a toolbar button does; other numbers give a button without an action.
enum ToolbarActionKind : int {
  kToolbarRunsExtension = 0,
  kToolbarOpensBand = 1,
  kToolbarRunsScript = 2,
  kToolbarRunsProgram = 3,
};

// Resource numbers of the button's icon groups in the executable.
inline constexpr int kToolbarHotIconId = 1000;
inline constexpr int kToolbarIconId = 1001;

// Buttons on the browser's toolbar as the browser reads them: an extension
// key named by a fresh identifier under the browser's Extensions key, and a
// value named by the button's text that records that identifier so the
// button can be found and removed again.
class ToolbarButtonStore : public ToolbarButtons {
 public:
  ToolbarButtonStore(Registry& registry, GuidSource& guids) : registry_(registry), guids_(guids) {}

  // Writes a new button and returns its identifier. A refused write throws
  // PlatformError; whatever was written by then is recorded, so that
  // UnregisterToolbarButton can remove it.
  std::string RegisterToolbarButton(bool visible, int kind, const std::string& buttonText, const std::string& hotIcon,
                                    const std::string& icon, const std::string& action);
  // Removes the button recorded under the text; always true.
  bool UnregisterToolbarButton(const std::string& buttonText);

  // The program's own button, which runs the executable.
  void Register(const std::string& executablePath) override;
  void Unregister(const std::string& buttonText) override;

 private:
  Registry& registry_;
  GuidSource& guids_;
};

}  // namespace vandrel
