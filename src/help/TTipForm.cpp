#include "help/TTipForm.h"

#include <exception>

#include "help/HelpCommands.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"

namespace vandrel {

void TTipForm::Button2Click() { OpenHelp(system_, documents_); }

bool ShowTipAtFirstStart(Registry& registry, const std::function<void()>& showTip) {
  bool shown = false;
  try {
    shown = SettingsKey(registry).ReadBool(kTipShownValue, false);
  } catch (const std::exception&) {
    // A value of the wrong type is as good as none: the tip is shown and
    // the value written over.
  }
  if (shown) return false;
  showTip();
  StoreBoolSetting(registry, kTipShownValue, true);
  return true;
}

}  // namespace vandrel
