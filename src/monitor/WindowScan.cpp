#include "monitor/WindowScan.h"

#include <algorithm>

#include "blocklist/TitleSuffix.h"

namespace vandrel {
namespace {

// The part of a title an allowed title part is matched against, in every
// pass: the page's part, as the block list matches it, when the title
// carries the browser's suffix (whose name must not allow every pop-up),
// else the whole title.
std::string_view PageOf(std::string_view title, std::string_view suffix, const LeadByteTable& leadBytes) {
  return TitleSuffixAt(title, suffix, leadBytes) != std::string_view::npos ? TitlePart(title, suffix, leadBytes)
                                                                           : title;
}

}  // namespace

int TrayIconIndexFor(std::size_t known, int limit) {
  // A limit below one allows no browser window: the limit counts as reached.
  if (limit < 1) return 4;
  const auto percent = static_cast<long long>(static_cast<double>(known) / limit * 100.0);
  if (percent > 100) return -1;
  if (percent <= 20) return 0;
  if (percent <= 40) return 1;
  if (percent <= 60) return 2;
  if (percent <= 80) return 3;
  return 4;
}

int SiteWaitTicks(int timerInterval) { return std::max(2, kSiteWaitMilliseconds / std::max(1, timerInterval)); }

WindowScan::WindowScan(Desktop& desktop, Settings& settings, const BlockList& blockList, const std::string& titleSuffix,
                       ScanEvents& events)
    : desktop_(desktop),
      settings_(settings),
      blockList_(blockList),
      titleSuffix_(titleSuffix),
      events_(events),
      snapshot_(desktop) {}

void WindowScan::Tick() {
  if (letThrough_) letThrough_->BeforeLook(settings_.LetClickedThrough);
  snapshot_.Take();
  if (allowed_) {
    allowed_->LookUpSites(snapshot_, settings_.LimitEnabled || !blockList_.Matcher().empty(),
                          SiteWaitTicks(settings_.TimerInterval));
    allowedThisTick_.assign(snapshot_.size(), kNotAskedYet);
  }
  HoldUndecided();
  ClassPass();
  if (settings_.LimitEnabled) LimitPass();
  BlockListPass();
  // Last: the icon's change waits on the shell, which may be busy.
  UpdateTrayIcon();
  if (report_) report_->TickEnded(snapshot_.Handles());
}

void WindowScan::Reset() {
  oldTitles_.clear();
  knownCounted_ = 0;
  newTitles_.clear();
  held_.clear();
  expandPending_ = true;
  if (letThrough_) letThrough_->Forget();
}

void WindowScan::ClassPass() {
  if (letThrough_) letThrough_->TickStarted(snapshot_, settings_.LetClickedThrough && !block100_);
  for (std::size_t i = 0; i < snapshot_.size(); ++i) {
    const std::uint8_t fragments = snapshot_.Fragments(i);
    // The style first: a window that keeps its maximise box needs no title.
    if (fragments == 0 || (snapshot_.Style(i) & kWsMaximizeBox) != 0) continue;
    if (snapshot_.Title(i).empty() || !MayClose(snapshot_.Handle(i))) continue;
    if (allowed_ && allowed_->AllowsTitle(PageOf(snapshot_.Title(i), titleSuffix_, LeadBytes()))) continue;
    // A sized pop-up of an allowed site (a webmail's compose window) stays
    // as the other passes keep it.
    if (snapshot_.IsBrowserFrame(i) && (AllowedFrame(i) || waiting_[i])) continue;
    // One close per fragment the class name holds.
    for (std::size_t bit = 0; bit < std::size(kPopupClassFragments); ++bit) {
      if (fragments & (1u << bit)) desktop_.Post(snapshot_.Handle(i), kWmClose, 0, 0);
    }
  }
}

void WindowScan::LimitPass() {
  // Every frame is listed, allowed or not: a frame is new once, and one that
  // stops being allowed (its title changed, an entry was removed) is a known
  // frame that counts from then on, never a new one beyond the limit.
  // A frame held back is left out as if it had not appeared yet.
  newTitles_.clear();
  newIndex_.clear();
  int openCounted = 0;
  for (std::size_t i = 0; i < snapshot_.size(); ++i) {
    if (!snapshot_.IsBrowserFrame(i) ||
        TitleSuffixAt(snapshot_.Title(i), titleSuffix_, LeadBytes()) == std::string_view::npos) {
      continue;
    }
    std::string entry = std::to_string(snapshot_.Handle(i));
    if (waiting_[i] && !std::binary_search(oldTitles_.begin(), oldTitles_.end(), entry)) continue;
    newTitles_.push_back(std::move(entry));
    newIndex_.push_back(i);
    if (!AllowedFrame(i)) ++openCounted;
  }

  if (expandPending_ && settings_.LimitClose == kExpandLimit && openCounted - 1 > settings_.LimitWindows) {
    expandPending_ = false;
    settings_.LimitWindows = std::min(openCounted, kMaxExpandedLimit);
    events_.LimitRaised(settings_.LimitWindows);
  }

  // Keep the known frames that are still open; what remains in NewTitles
  // was first seen in this tick.
  std::size_t known = 0;  // the known frames the limit counts
  std::erase_if(oldTitles_, [&](const std::string& entry) {
    const auto found = std::find(newTitles_.begin(), newTitles_.end(), entry);
    if (found == newTitles_.end()) return true;
    const auto at = found - newTitles_.begin();
    if (!AllowedFrame(newIndex_[static_cast<std::size_t>(at)])) ++known;
    newTitles_.erase(found);
    newIndex_.erase(newIndex_.begin() + at);
    return false;
  });

  // The new frames lowest in the Z-order survive first; the topmost go. An
  // allowed frame, and one the user opened, is neither counted nor closed.
  for (auto entry = newTitles_.size(); entry-- > 0;) {
    const WindowHandle window = snapshot_.Handle(newIndex_[entry]);
    if (AllowedFrame(newIndex_[entry]) || OpenedByUser(window)) continue;
    ++known;
    if (static_cast<long long>(known) > settings_.LimitWindows && MayClose(window)) {
      ReportClosing(newIndex_[entry], {});
      desktop_.Post(window, kWmClose, 0, 0);
      newTitles_.erase(newTitles_.begin() + static_cast<std::ptrdiff_t>(entry));
      newIndex_.erase(newIndex_.begin() + static_cast<std::ptrdiff_t>(entry));
      events_.CountClosedWindow();
      --known;  // not kept: the limit's fill counts what stays
    }
  }
  knownCounted_ = known;

  for (const std::string& entry : newTitles_) {
    const auto at = std::lower_bound(oldTitles_.begin(), oldTitles_.end(), entry);
    if (at == oldTitles_.end() || *at != entry) oldTitles_.insert(at, entry);
  }
}

AllowedWindows::Verdict WindowScan::Judged(std::size_t index) {
  if (!allowed_) return AllowedWindows::Verdict::NotAllowed;
  // The limit and the block-list pass both ask: the answer is found once a tick.
  signed char& known = allowedThisTick_[index];
  if (known == kNotAskedYet) {
    const std::string_view title = snapshot_.Title(index);
    known = static_cast<signed char>(
        allowed_->Judge(snapshot_.Handle(index), title, TitlePart(title, titleSuffix_, LeadBytes())));
  }
  return static_cast<AllowedWindows::Verdict>(known);
}

void WindowScan::HoldUndecided() {
  waiting_.assign(snapshot_.size(), 0);
  heldNext_.clear();
  if (allowed_ && allowed_->HasSites()) {
    const int wait = SiteWaitTicks(settings_.TimerInterval);
    for (std::size_t i = 0; i < snapshot_.size(); ++i) {
      if (!snapshot_.IsBrowserFrame(i) || Judged(i) != AllowedWindows::Verdict::Undecided) continue;
      const WindowHandle frame = snapshot_.Handle(i);
      const auto before =
          std::find_if(held_.begin(), held_.end(), [frame](const Held& held) { return held.frame == frame; });
      // Counted while it stays undecided, whatever its title does, so that
      // one whose page never arrives is held once; one decided meanwhile
      // (its new page not read yet) waits anew.
      const int ticks = std::min(before == held_.end() ? 1 : before->ticks + 1, wait + 1);
      heldNext_.push_back({frame, ticks});
      waiting_[i] = ticks <= wait;
    }
  }
  held_.swap(heldNext_);
}

void WindowScan::UpdateTrayIcon() {
  if (!settings_.LimitEnabled) {
    events_.SetTrayIconIndex(0);
    return;
  }
  const int index = TrayIconIndexFor(knownCounted_, settings_.LimitWindows);
  if (index >= 0) events_.SetTrayIconIndex(index);
}

void WindowScan::BlockListPass() {
  const TitleMatcher& matcher = blockList_.Matcher();
  if (matcher.empty()) return;  // nothing can match: no title is needed
  for (std::size_t i = 0; i < snapshot_.size(); ++i) {
    if (!snapshot_.IsBrowserFrame(i) || AllowedFrame(i) || waiting_[i]) continue;
    const WindowHandle window = snapshot_.Handle(i);
    matcher.FindAll(TitlePart(snapshot_.Title(i), titleSuffix_, LeadBytes()), matches_);
    // The user's own rule: it closes a frame the user opened too.
    if (matches_.empty() || (letThrough_ && !letThrough_->MayCloseListed(window))) continue;
    ReportClosing(i, blockList_.Entry(matches_.front()));
    for (std::size_t match = 0; match < matches_.size(); ++match) {
      desktop_.Post(window, kWmClose, 0, 0);
      events_.CountClosedWindow();
    }
  }
}

}  // namespace vandrel
