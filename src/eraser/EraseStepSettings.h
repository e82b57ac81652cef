#pragma once
#include "eraser/EraseChoices.h"
#include "settings/Settings.h"

namespace vandrel {

// The setting that chooses each erase step. The options dialog's boxes and
// the stored values that an erase without the dialog reads (Vandrel.exe
// Erase, the erase at log-on) both go through this one table, so a step is
// chosen the same way by every erase.
struct EraseStepSetting {
  bool Settings::*setting;
  bool EraseSelection::*step;
};

inline constexpr EraseStepSetting kEraseStepSettings[] = {
    {&Settings::Cache, &EraseSelection::cache},
    {&Settings::All, &EraseSelection::all},
    {&Settings::LocationBar, &EraseSelection::locationBar},
    {&Settings::Recent, &EraseSelection::recent},
    {&Settings::TempFolder, &EraseSelection::tempFolder},
    {&Settings::RecycledBin, &EraseSelection::recycleBin},
    {&Settings::Cookies, &EraseSelection::cookies},
    {&Settings::Bookmarks, &EraseSelection::favorites},
    {&Settings::History, &EraseSelection::history},
    {&Settings::MPlayer, &EraseSelection::mediaPlayer},
    {&Settings::RealOne, &EraseSelection::realOne},
};

// The steps the settings choose.
inline EraseSelection ChosenSteps(const Settings& values) {
  EraseSelection chosen;
  for (const EraseStepSetting& pair : kEraseStepSettings) chosen.*pair.step = values.*pair.setting;
  return chosen;
}

}  // namespace vandrel
