#include "eraser/EraseSession.h"

#include <utility>

#include "platform/ScopeExit.h"
#include "platform/WaitLoop.h"

namespace vandrel {

EraseSession::EraseSession(EraseTools& tools, CacheContainerGate& gate, EraseGuard& guard,
                           std::function<void()> pacedPump)
    : tools_(tools), gate_(gate), guard_(guard) {
  tools_.deleted = [this](const std::string& folder, const std::string& mask, bool whole, const DeleteCounts& counts) {
    aftermath_.Deleted(folder, mask, whole, counts);
  };
  tools_.indexWiped = [this](const std::string& file, WipeOutcome outcome, const std::string& failure) {
    aftermath_.IndexWiped(file, outcome, failure);
  };
  tools_.containerKept = [this](const std::string& folder, const std::string& why) {
    aftermath_.Add(PlaceFate::Refused, folder, why);
  };
  tools_.notListed = [this](const std::string& folder) { aftermath_.Add(PlaceFate::Stayed, folder, kWhyNotListed); };
  tools_.stopIfEnded = [this] {
    if (guard_.EndedForSession()) throw ProgramEnding();
  };
  // The messages run at the pace, the session's end is looked for at every entry.
  tools_.progress.pump = [this, paced = std::move(pacedPump)] {
    tools_.StopIfEnded();
    if (paced) paced();
  };
}

void EraseSession::Run(const std::function<void()>& steps, bool cookiesChosen) {
  aftermath_.Start();
  try {
    RunSteps(steps, cookiesChosen);
  } catch (const ProgramEnding&) {
    aftermath_.Add(PlaceFate::Told, kEraseEndedEarly, {});
    if (!guard_.EndedForSession()) KeepReport(true);
    throw;
  } catch (...) {
    KeepReport(true);
    throw;
  }
  KeepReport(true);
}

void EraseSession::KeepReport(bool messagesMayRun) const {
  if (ended) ended(messagesMayRun);
}

void EraseSession::RunSteps(const std::function<void()>& steps, bool cookiesChosen) {
  // Told last, after the gate has ended, on every way out.
  const ScopeExit tellWhatWasKept([this, cookiesChosen] {
    TellContainersLeft();
    TellCookiesKept(cookiesChosen);
  });
  // Read here, which every erase passes, and once: the list the walks
  // keep is the list the cookie folder keeps.
  tools_.keptCookies.clear();
  tools_.cookiesToKeep = ReadCookiesToKeep(tools_.registry);
  const auto protectedFolders = tools_.files.KeepProtectedFolders();  // found once, the gate's end included
  const auto gate = gate_.Begin();
  // At the end of the session the gate ends and the report is kept before
  // the session's message returns; the quit it posts then ends the erase.
  const auto sessionEnd = guard_.EndsForSessionWith([this, cookiesChosen] {
    gate_.End();
    TellContainersLeft();
    TellCookiesKept(cookiesChosen);
    aftermath_.Add(PlaceFate::Told, kEraseEndedEarly, {});
    KeepReport(false);
  });
  if (gate_.MendUnfinished()) aftermath_.Add(PlaceFate::Told, kMendedUnfinished, {});
  steps();
}

void EraseSession::DeleteCacheEntries(CacheSearch search) {
  const std::size_t calledBefore = gate_.Called().size();
  tools_.urlCache.DeleteAllEntries(search, tools_.progress.pump,
                                   [this](const UrlCacheEntry& entry) { return tools_.KeepsCacheEntry(entry); });
  // Under the step, as the preview tells them.
  for (std::size_t call = calledBefore; call < gate_.Called().size(); ++call) {
    aftermath_.Add(PlaceFate::CacheEntries, CacheEntriesText(gate_.Called()[call]), kWhyThroughLibrary);
  }
}

void EraseSession::TellContainersLeft() {
  for (const ContainerLeft& left : gate_.Left()) {
    aftermath_.AddUnder(ContainerName(left.container), PlaceFate::LeftToWalk, left.folder, ReasonText(left.reason));
  }
}

void EraseSession::TellCookiesKept(bool cookiesChosen) {
  if (!cookiesChosen) return;
  for (const ReportEntry& line : tools_.KeptCookieLines()) {
    aftermath_.AddUnder(line.step, line.fate, line.place, line.why);
  }
}

}  // namespace vandrel
