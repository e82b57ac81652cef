#include "eraser/EraseAftermath.h"

#include <algorithm>

#include "eraser/ErasePreview.h"
#include "eraser/FolderWalk.h"
#include "platform/FullPath.h"
#include "platform/WaitLoop.h"

namespace vandrel {

void EraseAftermath::Start() {
  places_.clear();
  told_.clear();
  step_.clear();
  ran_ = true;
}

void EraseAftermath::StartPass() {
  for (Place& place : places_) place.last = {};
}

void EraseAftermath::Deleted(const std::string& folder, const std::string& mask, bool whole,
                             const DeleteCounts& counts) {
  auto place = std::find_if(places_.begin(), places_.end(), [&](const Place& known) {
    return known.step == step_ && known.folder == folder && known.mask == mask && known.whole == whole;
  });
  if (place == places_.end()) place = places_.insert(places_.end(), Place{step_, folder, mask, whole, 0, {}});
  place->went += counts.removed;
  place->last = counts;
}

void EraseAftermath::Add(PlaceFate fate, const std::string& place, const std::string& why) {
  AddUnder(step_, fate, place, why);
}

void EraseAftermath::AddUnder(const std::string& step, PlaceFate fate, const std::string& place,
                              const std::string& why) {
  const auto same = [&](const ReportEntry& entry) {
    return entry.step == step && entry.fate == fate && entry.place == place && entry.why == why;
  };
  if (std::none_of(told_.begin(), told_.end(), same)) told_.push_back({step, fate, place, 0, 0, why});
}

void EraseAftermath::IndexWiped(const std::string& file, WipeOutcome outcome, const std::string& failure) {
  if (!failure.empty()) return Add(PlaceFate::Stayed, file, failure + ": " + kWhyWipeFailed);
  if (outcome == WipeOutcome::LeftAlone) Add(PlaceFate::Stayed, file, kWhyIndexLeftAlone);
}

EraseReport EraseAftermath::Report(TraceLook& look, const std::function<void()>& pump) const {
  EraseReport report;
  report.kind = ran_ ? EraseReport::Kind::AfterErase : EraseReport::Kind::NoEraseYet;
  for (const Place& place : places_) {
    if (place.went > 0) report.Add({place.step, PlaceFate::Emptied, place.folder, place.went, 0, {}});
    if (place.last.refused) report.Add({place.step, PlaceFate::Refused, place.folder, 0, 0, RefusalWhy(place.folder)});
    if (place.last.unreachable) report.Add({place.step, PlaceFate::NotReached, place.folder, 0, 0, kWhyUnreachable});
    if (place.last.rootWasLink) report.Add({place.step, PlaceFate::Stayed, place.folder, 0, 0, kWhyFolderIsLink});
    if (place.last.skipped > 0) AddWhatStayed(place, look, pump, report);
  }
  for (const ReportEntry& entry : told_) report.Add(entry);
  return report;
}

EraseReport EraseAftermath::ReportEvenWhenEnding(TraceLook& look, const std::function<void()>& pump) const {
  try {
    return Report(look, pump);
  } catch (const ProgramEnding&) {
    return Report(look);
  }
}

void EraseAftermath::AddWhatStayed(const Place& place, TraceLook& look, const std::function<void()>& pump,
                                   EraseReport& report) const {
  // Looked at again, unchecked: a refusal would have left nothing to find.
  const FolderWalk walk = WalkFolder(look, place.folder, place.mask, LookAt::Again, !place.whole, pump);
  std::vector<ReportEntry> stayed;
  // First, so that the named ones always tell it.
  for (const std::string& folder : walk.tooDeep) {
    stayed.push_back({place.step, PlaceFate::Stayed, folder, 0, 0, TooDeepWhy()});
  }
  for (const std::string& file : walk.filePaths)
    stayed.push_back({place.step, PlaceFate::Stayed, file, 0, 0, kWhyStillThere});
  for (const auto* links : {&walk.links, &walk.keptLinks}) {
    for (const std::string& link : *links) stayed.push_back({place.step, PlaceFate::Stayed, link, 0, 0, kWhyLinkStayed});
  }
  for (const std::string& folder : walk.unreadable) {
    stayed.push_back({place.step, PlaceFate::Stayed, folder, 0, 0, kWhyUnreadable});
  }
  if (walk.look == FolderLook::Unreadable || (stayed.empty() && walk.look == FolderLook::Listed && place.whole)) {
    stayed.push_back({place.step, PlaceFate::Stayed, place.folder, 0, 0,
                      walk.look == FolderLook::Unreadable ? kWhyUnreadable : kWhyStillThere});
  }
  const std::size_t named = std::min(stayed.size(), kStayedNamedPerFolder);
  for (std::size_t index = 0; index < named; ++index) report.Add(std::move(stayed[index]));
  if (stayed.size() > named) {
    report.Add({place.step, PlaceFate::Stayed, PathUnder(place.folder, "..."), 0, 0,
                "and " + std::to_string(stayed.size() - named) + " more"});
  }
}

}  // namespace vandrel
