#include "monitor/WindowScan.h"

#include <algorithm>
#include <charconv>

#include "blocklist/TitleSuffix.h"

namespace vandrel {
namespace {

bool Contains(std::string_view text, std::string_view fragment) {
  return text.find(fragment) != std::string_view::npos;
}

WindowHandle ParseHandle(const std::string& text) {
  WindowHandle handle = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), handle);
  return (error == std::errc() && end == text.data() + text.size()) ? handle : 0;
}

// "IEFrame" is both the browser frame's class and the first pop-up fragment.
constexpr std::uint8_t kBrowserFrameBit = 1;
static_assert(std::string_view(kPopupClassFragments[0]) == kBrowserFrameClass);

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

WindowScan::WindowScan(Desktop& desktop, Settings& settings, const BlockList& blockList,
                       const std::string& titleSuffix, ScanEvents& events)
    : desktop_(desktop),
      settings_(settings),
      blockList_(blockList),
      titleSuffix_(titleSuffix),
      events_(events) {}

void WindowScan::Tick() {
  ClassPass();
  if (settings_.LimitEnabled) LimitPass();
  UpdateTrayIcon();
  BlockListPass();
  if (report_) report_->TickEnded();
}

void WindowScan::Reset() {
  oldTitles_.clear();
  newTitles_.clear();
  expandPending_ = true;
  if (letThrough_) letThrough_->Forget();
}

std::uint8_t WindowScan::ReadClassFragments(WindowHandle window) {
  desktop_.ReadClassName(window, className_);
  std::uint8_t bits = 0;
  for (std::size_t i = 0; i < std::size(kPopupClassFragments); ++i) {
    if (Contains(className_.view(), kPopupClassFragments[i])) bits |= static_cast<std::uint8_t>(1u << i);
  }
  return bits;
}

std::uint8_t WindowScan::ClassFragments(WindowHandle window) {
  const auto found = std::lower_bound(fragmentsSeen_.begin(), fragmentsSeen_.end(),
                                      std::pair<WindowHandle, std::uint8_t>{window, 0});
  if (found != fragmentsSeen_.end() && found->first == window) return found->second;
  return ReadClassFragments(window);
}

bool WindowScan::IsBrowserFrame(WindowHandle window) {
  if ((ClassFragments(window) & kBrowserFrameBit) == 0) return false;
  desktop_.ReadTitle(window, title_);
  return !title_.empty();
}

void WindowScan::ClassPass() {
  desktop_.ListVisibleWindows(windows_);
  if (letThrough_) letThrough_->TickStarted(windows_);
  fragmentsSeen_.clear();
  for (const WindowHandle window : windows_) {
    const std::uint8_t fragments = ReadClassFragments(window);
    fragmentsSeen_.emplace_back(window, fragments);
    if (fragments == 0) continue;
    desktop_.ReadTitle(window, title_);
    if (title_.empty()) continue;
    // One test, and at most one close, per fragment the class name holds.
    for (std::size_t i = 0; i < std::size(kPopupClassFragments); ++i) {
      if ((fragments & (1u << i)) && (desktop_.ReadStyle(window) & kWsMaximizeBox) == 0 &&
          MayClose(window)) {
        desktop_.Post(window, kWmClose, 0, 0);
      }
    }
  }
  std::sort(fragmentsSeen_.begin(), fragmentsSeen_.end());
}

void WindowScan::LimitPass() {
  newTitles_.clear();
  desktop_.ListVisibleWindows(windows_);
  for (const WindowHandle window : windows_) {
    if (IsBrowserFrame(window) && Contains(title_.view(), titleSuffix_)) {
      newTitles_.push_back(std::to_string(window));
    }
  }

  const int openFrames = static_cast<int>(newTitles_.size());
  if (expandPending_ && settings_.LimitClose == kExpandLimit &&
      openFrames - 1 > settings_.LimitWindows) {
    expandPending_ = false;
    settings_.LimitWindows = std::min(openFrames, kMaxExpandedLimit);
    events_.LimitRaised(settings_.LimitWindows);
  }

  // Keep the known frames that are still open; what remains in NewTitles
  // was first seen in this tick.
  std::erase_if(oldTitles_, [&](const std::string& known) {
    const auto found = std::find(newTitles_.begin(), newTitles_.end(), known);
    if (found == newTitles_.end()) return true;
    newTitles_.erase(found);
    return false;
  });

  // The new frames lowest in the Z-order survive first; the topmost go.
  std::size_t known = oldTitles_.size();
  for (auto entry = newTitles_.size(); entry-- > 0;) {
    ++known;
    const WindowHandle window = ParseHandle(newTitles_[entry]);
    if (static_cast<long long>(known) > settings_.LimitWindows && MayClose(window)) {
      if (window) {
        ReportClosing(window, {});
        desktop_.Post(window, kWmClose, 0, 0);
      }
      newTitles_.erase(newTitles_.begin() + static_cast<std::ptrdiff_t>(entry));
      events_.CountClosedWindow();
    }
  }

  for (const std::string& entry : newTitles_) {
    const auto at = std::lower_bound(oldTitles_.begin(), oldTitles_.end(), entry);
    if (at == oldTitles_.end() || *at != entry) oldTitles_.insert(at, entry);
  }
}

void WindowScan::UpdateTrayIcon() {
  if (!settings_.LimitEnabled) {
    events_.SetTrayIconIndex(0);
    return;
  }
  const int index = TrayIconIndexFor(oldTitles_.size(), settings_.LimitWindows);
  if (index >= 0) events_.SetTrayIconIndex(index);
}

void WindowScan::BlockListPass() {
  const TitleMatcher& matcher = blockList_.Matcher();
  if (matcher.empty()) return;  // nothing can match; skip the walk
  desktop_.ListVisibleWindows(windows_);
  for (const WindowHandle window : windows_) {
    if (!IsBrowserFrame(window)) continue;
    matcher.FindAll(TitlePart(title_.view(), titleSuffix_), matches_);
    if (matches_.empty() || !MayClose(window)) continue;
    ReportClosing(window, blockList_.Entry(matches_.front()));
    for (std::size_t i = 0; i < matches_.size(); ++i) {
      desktop_.Post(window, kWmClose, 0, 0);
      events_.CountClosedWindow();
    }
  }
}

}  // namespace vandrel
