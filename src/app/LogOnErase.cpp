#include "app/LogOnErase.h"

#include "eraser/EraseReport.h"
#include "platform/PlatformError.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"

namespace vandrel {

LogOnEraseOption::LogOnEraseOption(Registry& registry) : registry_(registry) {
  try {
    on_ = SettingsKey(registry_).ReadBool(kLogOnEraseSetting, false);
  } catch (const PlatformError&) {
    on_ = false;
  }
}

void LogOnEraseOption::Toggle() {
  StoreBoolSetting(registry_, kLogOnEraseSetting, !on_);
  on_ = !on_;
}

Balloon LogOnEraseBalloon(const UnattendedOutcome& outcome) {
  if (outcome.end == UnattendedEnd::NotStarted) return {kLogOnEraseTitle, "Nothing erased: " + outcome.why};
  std::string text = std::string(kLogOnEraseTitle) + ": " + GroupedNumber(outcome.erased) +
                     (outcome.erased == 1 ? " file" : " files");
  if (outcome.end == UnattendedEnd::SomethingStayed) {
    text += ". Not everything went: Tools > Erase report tells what stayed and why";
  }
  return {kLogOnEraseTitle, text};
}

}  // namespace vandrel
