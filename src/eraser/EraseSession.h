#pragma once
#include <functional>

#include "eraser/CacheContainerGate.h"
#include "eraser/EraseAftermath.h"
#include "eraser/EraseGuard.h"
#include "eraser/EraseTools.h"

namespace vandrel {

// The report's line for an erase that the program's or the session's end stopped.
inline constexpr const char* kEraseEndedEarly =
    "The erase was stopped before its end (the program or the session ended): what it had not reached stays.";

// The report's line when an erase first mended what an unfinished one left.
inline constexpr const char* kMendedUnfinished =
    "An earlier erase did not reach its end (its program was ended) and left wiped index files beside links: they "
    "were deleted first, so that the browser makes new ones.";

// What every erase does around its own steps, whichever way it was started
// (the window, the tray, the viewer, the command line, the log-on): the
// record its report is made from, the session's end looked for at every
// entry, box and step, the cookies to keep read once, the URL-cache gate held
// around the steps and ended on every way out, and at the session's end the
// gate's end and the report kept before the session's message returns.
class EraseSession {
 public:
  // Sets the tools' pump (the session's end looked for, then `pacedPump`)
  // and what they tell.
  EraseSession(EraseTools& tools, CacheContainerGate& gate, EraseGuard& guard, std::function<void()> pacedPump);

  // Runs the steps with the gate held. The report is then kept (ended(true)),
  // on every way out: a quit (ProgramEnding) and a failure are thrown on
  // after it. At the session's end it was kept then (ended(false)), and
  // nothing more is. `cookiesChosen`: the report names the kept cookies.
  void Run(const std::function<void()>& steps, bool cookiesChosen);
  // The URL-cache entries of one search, through the gate, the kept
  // cookies' passed over; the report names each call under the running step.
  void DeleteCacheEntries(CacheSearch search);
  // What the last erase did, step by step.
  EraseAftermath& Aftermath() { return aftermath_; }
  // Told when an erase ran, to its end or as far as it got; messagesMayRun
  // is false at the end of the session.
  std::function<void(bool messagesMayRun)> ended;

 private:
  void RunSteps(const std::function<void()>& steps, bool cookiesChosen);
  void KeepReport(bool messagesMayRun) const;
  // The report names each container the gate left to the eraser's own
  // walk; told again, a line is not repeated.
  void TellContainersLeft();
  // The report names the kept sites and their cookies, once.
  void TellCookiesKept(bool cookiesChosen);

  EraseTools& tools_;
  CacheContainerGate& gate_;
  EraseGuard& guard_;
  EraseAftermath aftermath_;
};

}  // namespace vandrel
