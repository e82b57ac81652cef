#include "monitor/RecentlyClosed.h"

#include <algorithm>
#include <ctime>

namespace vandrel {

std::string RuleText(const ClosedWindow& closed) {
  if (!closed.ClosedByBlockList()) return kWindowLimitRule;
  return kBlockListRulePrefix + closed.blockListEntry;
}

std::string LocalClockText() {
  const std::time_t now = std::time(nullptr);
  // The program's one thread is the only caller, so the shared result of
  // localtime is safe here.
  const std::tm* local = std::localtime(&now);
  if (!local) return {};
  char text[8];
  return std::string(text, std::strftime(text, sizeof text, "%H:%M", local));
}

RecentlyClosed::RecentlyClosed(FrameAddresses& addresses, std::function<std::string()> clock)
    : addresses_(addresses), clock_(std::move(clock)) {
  addresses_.onRead = [this](WindowHandle window, const std::string& title, const std::string& address) {
    AddressRead(window, title, address);
  };
}

void RecentlyClosed::Closing(WindowHandle window, std::string_view title, std::string_view blockListEntry) {
  // The limit and block-list passes may both take the same new window.
  const bool reported = std::any_of(pending_.begin(), pending_.end(),
                                    [window](const ClosedWindow& closed) { return closed.window == window; });
  if (reported) return;
  ClosedWindow closed;
  closed.window = window;
  closed.title = std::string(title);
  closed.blockListEntry = std::string(blockListEntry);
  pending_.push_back(std::move(closed));
}

void RecentlyClosed::TickEnded(const std::vector<WindowHandle>& open) {
  addresses_.Take(0);
  for (ClosedWindow& closed : closed_) {
    if (closed.stillOpen) closed.stillOpen = std::find(open.begin(), open.end(), closed.window) != open.end();
  }
  if (pending_.empty()) return;
  // Taken out first: the notice's balloon goes to the shell, and a tick
  // started meanwhile must not find these.
  std::vector<ClosedWindow> closes;
  closes.swap(pending_);
  std::vector<ClosedWindow> news;
  for (const ClosedWindow& closed : closes) {
    if (FindSame(closed) == closed_.end()) news.push_back(closed);
  }
  // Of a storm of closes only the newest stay in the list: the shell is
  // asked for no others.
  const std::size_t firstKept = closes.size() > kRecentlyClosedCapacity ? closes.size() - kRecentlyClosedCapacity : 0;
  const std::string time = clock_();
  for (std::size_t i = firstKept; i < closes.size(); ++i) {
    ClosedWindow& closed = closes[i];
    // A window that stays open is closed at every tick: its address is
    // known while its title stays.
    const auto earlier = FindSame(closed);
    const std::string* read = addresses_.AddressOf(closed.window, closed.title);
    if (read && !read->empty()) {
      closed.address = *read;
    } else if (earlier != closed_.end() && earlier->title == closed.title && !earlier->address.empty()) {
      closed.address = earlier->address;
    } else {
      // Asked for when its page was first seen (again, while the shell had
      // not listed it yet); none is asked for now, as the shell names a
      // closed frame no more.
      closed.addressAsked = addresses_.Asking(closed.window, closed.title);
    }
    closed.time = time;
    Add(std::move(closed));
  }
  if (onNews && !news.empty()) onNews(news);
}

void RecentlyClosed::AddressRead(WindowHandle window, const std::string& title, const std::string& address) {
  for (ClosedWindow& closed : closed_) {
    if (closed.addressAsked && closed.window == window && closed.title == title) {
      closed.address = address;
      closed.addressAsked = false;
    }
  }
}

std::deque<ClosedWindow>::const_iterator RecentlyClosed::FindSame(const ClosedWindow& closed) const {
  return std::find_if(closed_.begin(), closed_.end(), [&closed](const ClosedWindow& earlier) {
    return earlier.stillOpen && earlier.window == closed.window;
  });
}

void RecentlyClosed::Add(ClosedWindow closed) {
  // A window closed again keeps its serial, so that a menu shown before
  // this tick still takes it.
  if (const auto earlier = FindSame(closed); earlier != closed_.end()) {
    closed.serial = earlier->serial;
    closed_.erase(earlier);
  } else {
    closed.serial = nextSerial_++;
  }
  closed_.push_front(std::move(closed));
  if (closed_.size() > kRecentlyClosedCapacity) closed_.pop_back();
}

const ClosedWindow* RecentlyClosed::Find(std::uint32_t serial) const {
  const auto found = std::find_if(closed_.begin(), closed_.end(),
                                  [serial](const ClosedWindow& closed) { return closed.serial == serial; });
  return found == closed_.end() ? nullptr : &*found;
}

}  // namespace vandrel
