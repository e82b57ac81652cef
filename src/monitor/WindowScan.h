#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "blocklist/BlockList.h"
#include "monitor/AllowedWindows.h"
#include "monitor/ClosedWindowReport.h"
#include "monitor/DesktopSnapshot.h"
#include "monitor/LetThrough.h"
#include "monitor/PopupClasses.h"
#include "platform/Desktop.h"
#include "settings/Settings.h"

namespace vandrel {

// What a tick reports back to the main window.
class ScanEvents {
 public:
  virtual ~ScanEvents() = default;
  // A counted close was posted (limit or block-list pass).
  virtual void CountClosedWindow() = 0;
  // The limit pass raised the window limit; the record already holds it.
  virtual void LimitRaised(int newLimit) = 0;
  virtual void SetTrayIconIndex(int index) = 0;
};

// The tray icon index for a limit that is filled `known` of `limit`, or -1
// when the icon keeps its image (above 100 %).
int TrayIconIndexFor(std::size_t known, int limit);

// How many ticks in a row a browser frame whose site is undecided (its page
// has not arrived, or the shell has not named it yet) is held by every
// pass (a new one is left out of the limit's count): about two seconds of the scan timer's ticks, and two at the least,
// so that a pop-up opened at about:blank reaches the page of an allowed
// site first. Counted in ticks, not time, so that every tick of the wait has
// asked for the frame's address however slowly the ticks run; bounded, so
// that a pop-up whose page never arrives, or a shell that never answers,
// keeps no frame from the limit for long.
inline constexpr int kSiteWaitMilliseconds = 2000;
int SiteWaitTicks(int timerInterval);

// The periodic scan of the desktop's top-level windows: one Tick() is one
// event of the scan timer, with its class, limit and block-list passes over
// one shared snapshot of the desktop.
class WindowScan {
 public:
  WindowScan(Desktop& desktop, Settings& settings, const BlockList& blockList, const std::string& titleSuffix,
             ScanEvents& events);

  void Tick();
  // Blocking was switched off: forget every known frame and re-arm the raise.
  void Reset();

  const std::vector<std::string>& OldTitles() const { return oldTitles_; }
  const std::vector<std::string>& NewTitles() const { return newTitles_; }
  bool ExpandPending() const { return expandPending_; }
  void SetExpandPending() { expandPending_ = true; }
  // The Ctrl rule, and where counted closes are reported; both must stay while
  // the scan ticks.
  void UseLetThrough(LetThrough& letThrough) { letThrough_ = &letThrough; }
  void ReportClosesTo(ClosedWindowReport& report) { report_ = &report; }
  // The windows the user always allows; it must stay while the scan ticks.
  void UseAllowed(AllowedWindows& allowed) { allowed_ = &allowed; }
  // Blocking was switched on: the inputs that open windows are heard from
  // now, not only from the first tick.
  void BlockingStarted() {
    if (letThrough_) letThrough_->BeforeLook(settings_.LetClickedThrough);
  }
  // Block 100% lets no window an input opened through.
  void SetBlock100(bool on) { block100_ = on; }

 private:
  void ClassPass();
  void LimitPass();
  void UpdateTrayIcon();
  void BlockListPass();
  const LeadByteTable& LeadBytes() const { return blockList_.CodePage().LeadBytes(); }
  bool MayClose(WindowHandle window) { return !letThrough_ || letThrough_->MayClose(window); }
  bool OpenedByUser(WindowHandle window) const { return letThrough_ && letThrough_->OpenedByUser(window); }
  // What the allowed list says of a browser frame of the snapshot.
  AllowedWindows::Verdict Judged(std::size_t index);
  bool AllowedFrame(std::size_t index) { return Judged(index) == AllowedWindows::Verdict::Allowed; }
  // Marks the frames whose site is undecided, within their wait: no pass
  // closes them in this tick, and the limit leaves a new one new, uncounted.
  void HoldUndecided();
  // The title is the one the pass judged: the window may be gone by now.
  void ReportClosing(std::size_t index, std::string_view blockListEntry) {
    if (report_) report_->Closing(snapshot_.Handle(index), snapshot_.Title(index), blockListEntry);
  }

  Desktop& desktop_;
  Settings& settings_;
  const BlockList& blockList_;
  const std::string& titleSuffix_;
  ScanEvents& events_;
  LetThrough* letThrough_ = nullptr;
  ClosedWindowReport* report_ = nullptr;
  AllowedWindows* allowed_ = nullptr;
  static constexpr signed char kNotAskedYet = -1;
  std::vector<signed char> allowedThisTick_;  // per snapshot window: kNotAskedYet or a Verdict
  struct Held {
    WindowHandle frame;
    int ticks;  // the ticks it has waited, this one included
  };
  std::vector<Held> held_, heldNext_;  // the last tick's undecided frames, and this one's
  std::vector<char> waiting_;          // per snapshot window: held in this tick

  std::vector<std::string> oldTitles_;  // sorted as text
  std::vector<std::string> newTitles_;  // enumeration order
  std::vector<std::size_t> newIndex_;   // beside newTitles_: the frame's place in the snapshot
  std::size_t knownCounted_ = 0;        // the known frames the limit counts: not allowed
  bool expandPending_ = true;
  bool block100_ = false;

  DesktopSnapshot snapshot_;            // this tick's windows
  std::vector<std::uint32_t> matches_;  // reused, so a warm tick allocates nothing
};

}  // namespace vandrel
