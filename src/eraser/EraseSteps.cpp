#include "eraser/EraseSteps.h"

#include "eraser/BrowserTraces.h"
#include "eraser/OtherTraces.h"

namespace vandrel {

const std::vector<EraseStep>& EraseSteps() {
  using S = const EraseSelection&;
  static const std::vector<EraseStep> steps{
      {"Cookies", [](S s) { return s.all; }, ClearCookies},
      {"History", [](S s) { return s.all; }, ClearShit},
      {"Cache", [](S s) { return s.all; }, ClearCache},
      {"Form passwords", [](S s) { return s.all; }, EraseFormPasswords},
      {"Cache", [](S s) { return !s.all && s.cache; }, ClearCache},
      {"Cookies", [](S s) { return !s.all && s.cookies; }, ClearCookies},
      {"History", [](S s) { return !s.all && s.history; }, ClearShit},
      {"Recent files", [](S s) { return s.recent; }, EraseRecentFiles},
      {"Temp folder", [](S s) { return s.tempFolder; }, EraseTempFolder},
      {"Recycle bin", [](S s) { return s.recycleBin; }, EraseRecycleBin},
      {"Location bar", [](S s) { return s.locationBar; }, EraseTypedUrls},
      {"Favorites", [](S s) { return s.favorites; }, EraseFavorites},
      {"Real One", [](S s) { return s.realOne; }, EraseRealPlayer},
      {"Media Player", [](S s) { return s.mediaPlayer; }, EraseMediaPlayer},
  };
  return steps;
}

std::vector<CacheStep> ChosenCacheSteps(const EraseSelection& chosen) {
  if (chosen.all) return {{"All IE files", CacheSearch::All}};
  std::vector<CacheStep> steps;
  if (chosen.cache) steps.push_back({"Cache", CacheSearch::Url});
  if (chosen.cookies) steps.push_back({"Cookies", CacheSearch::Cookies});
  if (chosen.history) steps.push_back({"History", CacheSearch::History});
  return steps;
}

}  // namespace vandrel
