#include "eraser/EraseCommand.h"

#include <utility>
#include <vector>

#include "eraser/BrowserTraces.h"
#include "eraser/OtherTraces.h"
#include "platform/BrowserFrames.h"
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
  // Under Wine each look at the message queue is a trip to the server:
  // looking between every file would cost more than the delete.
  tools_.progress.pump = [this] {
    if (feedback_.pump && pumpCalls_++ % kPumpEvery == 0) feedback_.pump();
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
  if (feedback_.statusText) feedback_.statusText("Erased: " + std::to_string(erased_));
}

bool EraseCommand::BrowserWindowOpen() {
  std::vector<WindowHandle> windows;
  desktop_.ListVisibleWindows(windows);
  ClassText className;
  for (WindowHandle window : windows) {
    desktop_.ReadClassName(window, className);
    if (IsBrowserFrameClass(className.view())) return true;
  }
  return false;
}

void EraseCommand::EraseStuffClick() {
  if (guard_.Running()) {
    if (feedback_.statusText) feedback_.statusText(kEraseAlreadyRunning);
    return;
  }
  const auto running = guard_.Hold();
  if (!choices_.Current().Any()) return tools_.Inform(kNothingSelected);
  while (BrowserWindowOpen()) {
    if (tools_.prompts.Message(MessageKind::Confirmation, kCloseBrowsers, MessageButtons::RetryCancel) !=
        Answer::Retry) {
      return;
    }
  }
  if (tools_.prompts.Message(MessageKind::Confirmation, kConfirmErase, MessageButtons::OkCancel) != Answer::Ok) return;
  erased_ = 0;
  lastCount_ = 0;
  shownCount_ = 0;
  gate_.Begin();
  try {
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
      if (erased_ != shownCount_) ShowCount();
    }
    gate_.RemoveWipedIndexesBesideLinks();
  } catch (const ProgramEnding&) {
    // The quit met between two entries ends the erase there, with no box:
    // the main loop ends the program.
    return;
  }
  // Told once: what the last pass still found and left, and the containers
  // the URL cache was kept from.
  std::string told;
  if (tools_.leftInPlace > 0) {
    told = "Erased: " + std::to_string(erased_) + ", left in place: " + std::to_string(tools_.leftInPlace);
  }
  const std::string containers = DescribeLeft(gate_.Left());
  if (!containers.empty()) told += (told.empty() ? "" : ". ") + containers;
  if (!told.empty() && feedback_.statusText) feedback_.statusText(told);
  tools_.Inform(kEraseCompleted);
}

void EraseCommand::DeleteCacheEntries() {
  const EraseSelection chosen = choices_.Current();
  const auto& pump = tools_.progress.pump;
  if (chosen.all) return tools_.urlCache.DeleteAllEntries(CacheSearch::All, pump);
  if (chosen.cache) tools_.urlCache.DeleteAllEntries(CacheSearch::Url, pump);
  if (chosen.cookies) tools_.urlCache.DeleteAllEntries(CacheSearch::Cookies, pump);
  if (chosen.history) tools_.urlCache.DeleteAllEntries(CacheSearch::History, pump);
}

void EraseCommand::Barsalka() {
  const auto hourglass = HourglassFor(feedback_.hourglass);
  tools_.leftInPlace = 0;
  if (choices_.Current().all) {
    ClearCookies(tools_);
    ClearShit(tools_);
    ClearCache(tools_);
    EraseFormPasswords(tools_);
  } else {
    if (choices_.Current().cache) ClearCache(tools_);
    if (choices_.Current().cookies) ClearCookies(tools_);
    if (choices_.Current().history) ClearShit(tools_);
  }
  if (choices_.Current().recent) EraseRecentFiles(tools_);
  if (choices_.Current().tempFolder) EraseTempFolder(tools_);
  if (choices_.Current().recycleBin) EraseRecycleBin(tools_);
  if (choices_.Current().locationBar) EraseTypedUrls(tools_);
  if (choices_.Current().favorites) EraseFavorites(tools_);
  if (choices_.Current().realOne) EraseRealPlayer(tools_);
  if (choices_.Current().mediaPlayer) EraseMediaPlayer(tools_);
}

}  // namespace vandrel
