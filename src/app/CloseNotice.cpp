#include "app/CloseNotice.h"

#include <algorithm>

#include "app/ShortText.h"
#include "blocklist/TitleSuffix.h"
#include "settings/SettingsStore.h"

namespace vandrel {
namespace {

// Page titles longer than this are cut, so that a balloon names several windows.
constexpr std::size_t kPageTitleLength = 60;
// More lines than a balloon's text can hold are never kept.
constexpr std::size_t kLinesKept = kBalloonTextLength / 4;

std::string MoreLine(std::size_t count) { return "and " + std::to_string(count) + " more"; }

// The milliseconds left of `span` since `since`; the tick count may have wrapped.
std::uint32_t Left(std::uint32_t now, std::uint32_t since, std::uint32_t span) {
  const std::uint32_t passed = now - since;
  return passed >= span ? 0 : span - passed;
}

}  // namespace

std::string NoticeLine(const ClosedWindow& closed, const std::string& titleSuffix, const LeadByteTable& leadBytes) {
  const std::string_view page = TitlePart(closed.title, titleSuffix, leadBytes);
  const std::string shown =
      Shortened(page.empty() ? std::string_view(closed.title) : page, kPageTitleLength, leadBytes);
  return Shortened(shown + " (" + RuleText(closed) + ")", kBalloonTextLength, leadBytes);
}

CloseNotice::CloseNotice(Settings& settings, Registry& registry, const std::string& titleSuffix,
                         const LeadByteTable& leadBytes, Timer& timer, std::function<std::uint32_t()> clock)
    : settings_(settings),
      registry_(registry),
      titleSuffix_(titleSuffix),
      leadBytes_(leadBytes),
      timer_(timer),
      clock_(std::move(clock)) {
  timer_.SetEnabled(false);
  timer_.OnTimer = [this] { TimerFired(); };
}

void CloseNotice::Closed(const std::vector<ClosedWindow>& closes) {
  if (!On() || closes.empty()) return;
  const std::uint32_t now = clock_();
  if (pending_ == 0) firstPendingAt_ = now;
  pending_ += closes.size();
  // Newest first, and only as many as are kept: a storm of closes makes no more lines.
  std::vector<std::string> newest;
  const std::size_t made = std::min(closes.size(), kLinesKept);
  for (auto closed = closes.rbegin(); closed != closes.rbegin() + static_cast<std::ptrdiff_t>(made); ++closed) {
    newest.push_back(NoticeLine(*closed, titleSuffix_, leadBytes_));
  }
  lines_.insert(lines_.begin(), newest.begin(), newest.end());
  if (lines_.size() > kLinesKept) lines_.resize(kLinesKept);
  // A system timer waits at least a few milliseconds anyway.
  timer_.SetInterval(static_cast<int>(std::max<std::uint32_t>(Wait(now), 1)));
  timer_.SetEnabled(true);
}

void CloseNotice::Toggle() {
  const bool on = !settings_.NoticeEnabled;
  StoreBoolSetting(registry_, kNoticeSetting, on);
  settings_.NoticeEnabled = on;
  if (on) return;
  timer_.SetEnabled(false);
  lines_.clear();
  pending_ = 0;
}

void CloseNotice::TimerFired() {
  timer_.SetEnabled(false);
  if (pending_ == 0) return;
  const std::uint32_t now = clock_();
  if (const std::uint32_t wait = Wait(now); wait > 0) {
    timer_.SetInterval(static_cast<int>(wait));
    timer_.SetEnabled(true);
    return;
  }
  const Balloon balloon = Compose();
  lines_.clear();
  pending_ = 0;
  lastShownAt_ = now;
  shownBefore_ = true;
  if (show) show(balloon);
}

std::uint32_t CloseNotice::Wait(std::uint32_t now) const {
  const std::uint32_t gather = Left(now, firstPendingAt_, kGather);
  return shownBefore_ ? std::max(gather, Left(now, lastShownAt_, kQuiet)) : gather;
}

Balloon CloseNotice::Compose() const {
  if (pending_ == 1) return {kOneClosedTitle, lines_.front()};
  Balloon balloon{std::to_string(pending_) + " windows closed", {}};
  // Whole lines, newest first, as many as fit beside the count of the rest.
  std::size_t told = 0;
  for (const std::string& line : lines_) {
    const std::string longer = told == 0 ? line : balloon.text + "\n" + line;
    const std::size_t rest = pending_ - told - 1;
    const std::size_t restLength = rest == 0 ? 0 : 1 + MoreLine(rest).size();
    if (longer.size() + restLength > kBalloonTextLength) break;
    balloon.text = longer;
    ++told;
  }
  if (told == pending_) return balloon;
  if (told > 0) balloon.text += '\n';
  balloon.text += MoreLine(pending_ - told);
  return balloon;
}

}  // namespace vandrel
