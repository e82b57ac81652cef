#include "eraser/StoredEraseChoices.h"

#include "eraser/EraseStepSettings.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"

namespace vandrel {

StoredEraseChoices ReadStoredEraseChoices(Registry& registry) {
  SettingsKey opened(registry);  // as the settings' own load opens it
  StoredEraseChoices stored;
  const Settings defaults;
  for (const EraseStepSetting& step : kEraseStepSettings) {
    const std::string name = SettingValueName(step.setting);
    const auto value = registry.ReadValueOrThrow(RootKey::CurrentUser, kSettingsKeyPath, name);
    bool& chosen = stored.selection.*step.step;
    if (!value) {
      chosen = defaults.*step.setting;
    } else if (value->kind != ValueKind::String) {
      stored.unreadable.push_back(name + " (not a string value)");
    } else if (value->text == "0" || value->text == "1") {
      chosen = value->text == "1";
    } else {
      stored.unreadable.push_back(name + " (holds \"" + value->text + "\", neither \"0\" nor \"1\")");
    }
  }
  return stored;
}

bool UsesUrlCache(const EraseSelection& selection) {
  return selection.cache || selection.cookies || selection.history || selection.all;
}

EraseSelection WithoutUrlCache(EraseSelection selection) {
  selection.cache = selection.cookies = selection.history = selection.all = false;
  return selection;
}

}  // namespace vandrel
