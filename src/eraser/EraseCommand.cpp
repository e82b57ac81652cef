#include "eraser/EraseCommand.h"

#include <utility>
#include <vector>

#include "eraser/EraseSteps.h"
#include "platform/BrowserFrames.h"
#include "platform/PlatformError.h"
#include "platform/ScopeExit.h"
#include "platform/WaitLoop.h"

namespace vandrel {

namespace {

// Shows the hourglass until the scope ends, also when an error leaves early.
auto HourglassFor(const std::function<void(bool)>& hourglass) {
  if (hourglass) hourglass(true);
  return ScopeExit([&hourglass] {
    if (hourglass) hourglass(false);
  });
}

}  // namespace

EraseCommand::EraseCommand(EraseChoices& choices, Desktop& desktop, Registry& registry, TraceFiles& files, Shell& shell,
                           Prompts& prompts, UrlCacheEraser& urlCache, EraseGuard& guard, EraseFeedback feedback)
    : choices_(choices),
      desktop_(desktop),
      guard_(guard),
      gate_(urlCache, tools_),
      tools_{registry, files, shell, prompts, gate_, {}},
      feedback_(std::move(feedback)) {
  tools_.progress.removed = [this](std::size_t removed) { CountRemoved(removed); };
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
  tools_.progress.pump = [this, paced = Paced(feedback_.pump)]() mutable {
    tools_.StopIfEnded();
    if (paced) paced();
  };
}

void EraseCommand::CountRemoved(std::size_t removed) {
  // Every delete counts from one again: a count not above the last one
  // belongs to the next delete.
  erased_ += removed > lastCount_ ? removed - lastCount_ : removed;
  lastCount_ = removed;
  // Redrawing the panel for every file would cost more than the delete.
  if (erased_ - shownCount_ >= kCountShownEvery) ShowCount();
}

void EraseCommand::ShowCount() {
  shownCount_ = erased_;
  if (!feedback_.statusText) return;
  // The count's text as ever, the running step after it.
  const std::string count = "Erased: " + std::to_string(erased_);
  feedback_.statusText(step_.empty() ? count : count + " (" + step_ + ")");
}

void EraseCommand::ShowStep(const char* step) {
  tools_.StopIfEnded();
  step_ = step;
  aftermath_.SetStep(step_);
  ShowCount();
}

std::optional<std::string> EraseCommand::OpenBrowserFrame() {
  std::vector<std::string> titles = BrowserFrameTitles(desktop_);
  if (titles.empty()) return std::nullopt;
  return std::move(titles.front());
}

void EraseCommand::EraseStuffClick() {
  const auto refused = [this] {
    if (feedback_.statusText) feedback_.statusText(guard_.WhyRefused());
  };
  const auto running = guard_.TryHoldHere();
  if (!running) return refused();
  if (!choices_.Current().Any()) return tools_.Inform(kNothingSelected);
  // The other processes' lock is taken once the questions are answered, so
  // that a script's erase is not refused while nobody answers them; a
  // browser window opened while they were up asks them again.
  for (;;) {
    while (OpenBrowserFrame()) {
      if (tools_.prompts.Message(MessageKind::Confirmation, kCloseBrowsers, MessageButtons::RetryCancel) !=
          Answer::Retry) {
        return;
      }
    }
    if (tools_.prompts.Message(MessageKind::Confirmation, kConfirmErase, MessageButtons::OkCancel) != Answer::Ok) {
      return;
    }
    if (!guard_.TakeLock()) return refused();
    if (!OpenBrowserFrame()) break;
    guard_.GiveBackLock();
  }
  // Kept whatever ends the erase, as far as it got, and before any box:
  // "Erase report" asked for once a box is answered shows this erase.
  const auto keepReport = [this] {
    if (feedback_.ended) feedback_.ended(true);
  };
  try {
    EraseChosen();
  } catch (const ProgramEnding&) {
    // The quit met between two entries ends the erase there, with no box:
    // the main loop ends the program. At the session's end the report was
    // kept then, and nothing more is written.
    if (!guard_.EndedForSession()) keepReport();
    return;
  } catch (const PlatformError& error) {
    // The error box shows the failure; the status bar keeps it.
    if (feedback_.statusText) feedback_.statusText(kEraseStopped + std::string(error.what()));
    keepReport();
    throw;
  } catch (...) {
    keepReport();
    throw;
  }
  keepReport();
  // Told once: what the last pass still found and left, and the containers
  // the URL cache was kept from.
  std::string told;
  if (tools_.leftInPlace > 0) {
    told = "Erased: " + std::to_string(erased_) + ", left in place: " + std::to_string(tools_.leftInPlace);
  }
  const std::string containers = DescribeLeft(gate_.Left());
  if (!containers.empty()) told += (told.empty() ? "" : ". ") + containers;
  if (!told.empty() && feedback_.statusText) feedback_.statusText(told + kSeeTheReport);
  tools_.Inform(kEraseCompleted);
}

void EraseCommand::EraseChosen() {
  erased_ = 0;
  lastCount_ = 0;
  shownCount_ = 0;
  step_.clear();
  aftermath_.Start();
  try {
    RunErase();
  } catch (const ProgramEnding&) {
    aftermath_.Add(PlaceFate::Told, kEraseEndedEarly, {});
    throw;
  }
}

void EraseCommand::RunErase() {
  // Told last, after the gate has ended, on every way out.
  const ScopeExit tellContainersLeft([this] {
    TellContainersLeft();
    TellCookiesKept();
  });
  // Read here, which every erase passes, and once: the list the walks
  // keep is the list the cookie folder keeps.
  tools_.keptCookies.clear();
  tools_.cookiesToKeep = ReadCookiesToKeep(tools_.registry);
  const auto protectedFolders = tools_.files.KeepProtectedFolders();  // found once, the gate's end included
  const auto gate = gate_.Begin();
  // At the end of the session the gate ends and the report is kept before
  // the session's message returns; the quit it posts then ends the erase.
  const auto sessionEnd = guard_.EndsForSessionWith([this] {
    gate_.End();
    TellContainersLeft();
    TellCookiesKept();
    aftermath_.Add(PlaceFate::Told, kEraseEndedEarly, {});
    if (feedback_.ended) feedback_.ended(false);
  });
  // Every URL-cache call of the erase comes before the first index file
  // is wiped, and each container is looked at before its first call (the
  // gate): handed a wiped index, the browser's library rebuilds the
  // container and first clears its folder, following any link inside.
  {
    const auto hourglass = HourglassFor(feedback_.hourglass);
    for (int pass = 0; pass < kErasePasses; ++pass) DeleteCacheEntries();
  }
  for (int pass = 0; pass < kErasePasses; ++pass) {
    Barsalka();
    step_.clear();
    ShowCount();
  }
}

void EraseCommand::TellContainersLeft() {
  for (const ContainerLeft& left : gate_.Left()) {
    aftermath_.AddUnder(ContainerName(left.container), PlaceFate::LeftToWalk, left.folder, ReasonText(left.reason));
  }
}

void EraseCommand::TellCookiesKept() {
  const EraseSelection chosen = choices_.Current();
  if (!chosen.cookies && !chosen.all) return;
  for (const ReportEntry& line : tools_.KeptCookieLines()) {
    aftermath_.AddUnder(line.step, line.fate, line.place, line.why);
  }
}

void EraseCommand::DeleteCacheEntries() {
  for (const CacheStep& step : ChosenCacheSteps(choices_.Current())) {
    ShowStep(step.name);
    const std::size_t calledBefore = gate_.Called().size();
    tools_.urlCache.DeleteAllEntries(step.search, tools_.progress.pump,
                                     [this](const UrlCacheEntry& entry) { return tools_.KeepsCacheEntry(entry); });
    // Under the step, as the preview tells them.
    for (std::size_t call = calledBefore; call < gate_.Called().size(); ++call) {
      aftermath_.Add(PlaceFate::CacheEntries, CacheEntriesText(gate_.Called()[call]), kWhyThroughLibrary);
    }
  }
}

void EraseCommand::Barsalka() {
  const auto hourglass = HourglassFor(feedback_.hourglass);
  tools_.leftInPlace = 0;
  aftermath_.StartPass();
  for (const EraseStep& step : EraseSteps()) {
    if (!step.chosen(choices_.Current())) continue;
    ShowStep(step.name);
    step.run(tools_);
  }
}

}  // namespace vandrel
