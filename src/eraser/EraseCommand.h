#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "eraser/CacheContainerGate.h"
#include "eraser/EraseAftermath.h"
#include "eraser/EraseChoices.h"
#include "eraser/EraseGuard.h"
#include "eraser/ErasePace.h"
#include "eraser/EraseSession.h"
#include "eraser/EraseTools.h"
#include "platform/Desktop.h"

namespace vandrel {

inline constexpr const char* kNothingSelected = "Nothing is selected to erase!";
inline constexpr const char* kCloseBrowsers = "Please close all browser windows and try again.";
inline constexpr const char* kConfirmErase = "Are you sure to erase the selected files?";
inline constexpr const char* kEraseCompleted = "Erase completed.";
// The status bar's ends of an erase that left something, or stopped.
inline constexpr const char* kSeeTheReport = ". Erase report: what stayed and why";
inline constexpr const char* kEraseStopped = "Erase stopped: ";
inline constexpr int kErasePasses = 3;
// The status bar shows the count after this many more removals, and after
// each pass.
inline constexpr std::size_t kCountShownEvery = 64;

// What the erase shows while it runs.
struct EraseFeedback {
  std::function<void(bool busy)> hourglass;            // the screen cursor: hourglass or default
  std::function<void(const std::string&)> statusText;  // the status bar's first panel
  // Lets waiting window messages run at each call (LetMessagesRun): the
  // erase paces it (Paced); throws ProgramEnding once the quit message was
  // met, which ends the erase there.
  std::function<void()> pump;
};

// The erase command: checks the choice and the open browser windows, asks,
// then deletes the chosen URL-cache entries three times over and runs three
// erase passes over the chosen folders, files and keys. A second erase
// started from inside the first (its windows stay responsive), here or in
// the viewer, is refused; a quit met meanwhile ends it between two entries.
class EraseCommand {
 public:
  EraseCommand(EraseChoices& choices, Desktop& desktop, Registry& registry, TraceFiles& files, Shell& shell,
               Prompts& prompts, UrlCacheEraser& urlCache, EraseGuard& guard, EraseFeedback feedback);

  // The click handler of every Erase button and menu item. An index file
  // that cannot be opened ends it with that PlatformError.
  void EraseStuffClick();
  // The erase of the chosen steps with no check and no question, for an
  // erase that asks nothing (the caller holds the guard). A quit throws
  // ProgramEnding, a failure PlatformError, the gate ended either way.
  void EraseChosen();
  // The title of a browser frame that is open (visible and titled, as the
  // scan's frames: a hidden or untitled window of the frame class, which any
  // program can make, holds nothing back); nothing when none is.
  std::optional<std::string> OpenBrowserFrame();
  // Told when an erase ran, to its end or as far as it got.
  void OnEnded(std::function<void(bool messagesMayRun)> ended) { session_.ended = std::move(ended); }
  // Entries removed by the last erase.
  std::size_t Erased() const { return erased_; }
  // The URL-cache entries of one erase pass: all of them (the All choice),
  // else the pages, cookies and visits chosen. The command runs these of
  // all three passes before the first pass.
  void DeleteCacheEntries();
  // One erase pass over the browser's folders and index files and the
  // other traces.
  void Barsalka();
  // The URL-cache containers that the last erase left to its own walk.
  const std::vector<ContainerLeft>& ContainersLeft() const { return gate_.Left(); }
  // What the last erase did, step by step; other parts of the erase add
  // what they know to it.
  EraseAftermath& Aftermath() { return session_.Aftermath(); }

 private:
  void CountRemoved(std::size_t removed);
  void ShowCount();
  // The status bar names the running step with the count.
  void ShowStep(const char* step);

  EraseChoices& choices_;
  Desktop& desktop_;
  EraseGuard& guard_;
  CacheContainerGate gate_;  // what tools_ hands the URL-cache deletes to
  EraseTools tools_;
  EraseFeedback feedback_;
  EraseSession session_;
  std::size_t erased_ = 0;      // entries removed by this erase so far
  std::size_t lastCount_ = 0;   // the last count the running delete reported
  std::size_t shownCount_ = 0;  // the count the status bar shows
  std::string step_;            // the running step's name; empty between passes
};

}  // namespace vandrel
