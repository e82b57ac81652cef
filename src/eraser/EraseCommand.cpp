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
      feedback_(std::move(feedback)),
      session_(tools_, gate_, guard, Paced(feedback_.pump)) {
  tools_.progress.removed = [this](std::size_t removed) { CountRemoved(removed); };
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
  Aftermath().SetStep(step_);
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
  // The report is kept whatever ends the erase, as far as it got, and
  // before any box: "Erase report" asked for once a box is answered shows
  // this erase.
  try {
    EraseChosen();
  } catch (const ProgramEnding&) {
    // The quit met between two entries ends the erase there, with no box:
    // the main loop ends the program.
    return;
  } catch (const PlatformError& error) {
    // The error box shows the failure; the status bar keeps it.
    if (feedback_.statusText) feedback_.statusText(kEraseStopped + std::string(error.what()));
    throw;
  }
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
  const EraseSelection chosen = choices_.Current();
  session_.Run(
      [this] {
        // Every URL-cache call of the erase comes before the first index
        // file is wiped, and each container is looked at before its first
        // call (the gate): handed a wiped index, the browser's library
        // rebuilds the container and first clears its folder, following
        // any link inside.
        {
          const auto hourglass = HourglassFor(feedback_.hourglass);
          for (int pass = 0; pass < kErasePasses; ++pass) DeleteCacheEntries();
        }
        for (int pass = 0; pass < kErasePasses; ++pass) {
          Barsalka();
          step_.clear();
          ShowCount();
        }
      },
      chosen.cookies || chosen.all);
}

void EraseCommand::DeleteCacheEntries() {
  for (const CacheStep& step : ChosenCacheSteps(choices_.Current())) {
    ShowStep(step.name);
    session_.DeleteCacheEntries(step.search);
  }
}

void EraseCommand::Barsalka() {
  const auto hourglass = HourglassFor(feedback_.hourglass);
  tools_.leftInPlace = 0;
  Aftermath().StartPass();
  for (const EraseStep& step : EraseSteps()) {
    if (!step.chosen(choices_.Current())) continue;
    ShowStep(step.name);
    step.run(tools_);
  }
}

}  // namespace vandrel
