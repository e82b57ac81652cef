#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/ClosedWindowReport.h"
#include "monitor/FrameAddresses.h"
#include "platform/Desktop.h"

namespace vandrel {

inline constexpr std::size_t kRecentlyClosedCapacity = 10;
inline constexpr const char* kWindowLimitRule = "window limit";
inline constexpr const char* kBlockListRulePrefix = "block list: ";

// One window a counted close took.
struct ClosedWindow {
  std::uint32_t serial = 0;  // unique while the program runs; kept when the window is closed again
  WindowHandle window = 0;
  std::string title;
  std::string time;            // local, "HH:MM"
  std::string blockListEntry;  // empty: the window limit closed it
  std::string address;         // empty: none could be read
  // The window has lived on since: closing the same window, whatever its
  // title is now, is a close again, not a new window that got its handle.
  bool stillOpen = true;
  bool addressAsked = false;  // the shell's answer for this close has not come yet
  bool ClosedByBlockList() const { return !blockListEntry.empty(); }
};

// "window limit", or "block list: " and the entry that matched.
std::string RuleText(const ClosedWindow& closed);

// The local time of day as "HH:MM".
std::string LocalClockText();

// The last windows the limit and block-list passes closed, newest first.
// Held in memory only: the titles and addresses are browsing traces. A
// window closed again (one that asks before it goes is closed at every
// tick) moves to the front with its title of now, instead of filling the
// list with copies.
class RecentlyClosed : public ClosedWindowReport {
 public:
  explicit RecentlyClosed(FrameAddresses& addresses, std::function<std::string()> clock = LocalClockText);

  // The title is the one the scan judged. The address is the one the shell
  // named for that page while its frame was listed: read already, or filled
  // in when the answer to the read asked at first sight comes.
  void Closing(WindowHandle window, std::string_view title, std::string_view blockListEntry) override;
  void TickEnded(const std::vector<WindowHandle>& open) override;

  // Told at the end of a tick of the windows it closed that the list did
  // not hold yet, oldest first: a window closed again is no news.
  std::function<void(const std::vector<ClosedWindow>&)> onNews;

  // Takes an answer that came since the last tick (blocking may be off).
  void TakeAnswers() { addresses_.Take(0); }
  const std::deque<ClosedWindow>& Newest() const { return closed_; }
  bool empty() const { return closed_.empty(); }
  // Nothing when that record has gone out of the list.
  const ClosedWindow* Find(std::uint32_t serial) const;

 private:
  void Add(ClosedWindow closed);
  // The record of the same window, still open, if the list holds one.
  std::deque<ClosedWindow>::const_iterator FindSame(const ClosedWindow& closed) const;
  void AddressRead(WindowHandle window, const std::string& title, const std::string& address);

  FrameAddresses& addresses_;
  std::function<std::string()> clock_;
  std::vector<ClosedWindow> pending_;  // this tick's closes, in order
  std::deque<ClosedWindow> closed_;    // newest first
  std::uint32_t nextSerial_ = 1;
};

}  // namespace vandrel
