#include "eraser/StoredEraseChoices.h"

#include "platform/PlatformError.h"
#include "settings/Settings.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

struct StoredStep {
  const char* name;
  bool Settings::*setting;  // its default
  bool EraseSelection::*step;
};

constexpr StoredStep kStoredSteps[] = {
    {"Cache", &Settings::Cache, &EraseSelection::cache},
    {"All", &Settings::All, &EraseSelection::all},
    {"LocationBar", &Settings::LocationBar, &EraseSelection::locationBar},
    {"Recent", &Settings::Recent, &EraseSelection::recent},
    {"TempFolder", &Settings::TempFolder, &EraseSelection::tempFolder},
    {"Recycled Bin", &Settings::RecycledBin, &EraseSelection::recycleBin},
    {"Cookies", &Settings::Cookies, &EraseSelection::cookies},
    {"Bookmarks", &Settings::Bookmarks, &EraseSelection::favorites},
    {"History", &Settings::History, &EraseSelection::history},
    {"MPlayer", &Settings::MPlayer, &EraseSelection::mediaPlayer},
    {"RealOne", &Settings::RealOne, &EraseSelection::realOne},
};

}  // namespace

StoredEraseChoices ReadStoredEraseChoices(Registry& registry) {
  SettingsKey key(registry);
  StoredEraseChoices stored;
  const Settings defaults;
  for (const StoredStep& step : kStoredSteps) {
    try {
      stored.selection.*step.step = key.ReadBool(step.name, defaults.*step.setting);
    } catch (const PlatformError&) {
      stored.wrongType.push_back(step.name);
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
