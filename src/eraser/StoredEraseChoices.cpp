#include "eraser/StoredEraseChoices.h"

#include "eraser/EraseStepSettings.h"
#include "platform/PlatformError.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"

namespace vandrel {

StoredEraseChoices ReadStoredEraseChoices(Registry& registry) {
  SettingsKey key(registry);
  StoredEraseChoices stored;
  const Settings defaults;
  for (const EraseStepSetting& step : kEraseStepSettings) {
    // Under the name, and of the type, the settings' own load reads it.
    const std::string name = SettingValueName(step.setting);
    try {
      stored.selection.*step.step = key.ReadBool(name, defaults.*step.setting);
    } catch (const PlatformError&) {
      stored.wrongType.push_back(name);
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
