#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/BrowserAddresses.h"

namespace vandrel {

// How long a tick waits for the shell's answer to a read it started: the
// shell answers in milliseconds, a busy browser answers when it can, and
// the passes must run on time meanwhile.
inline constexpr std::uint32_t kAddressWait = 50;
// The first read of a run starts the reading thread and loads COM and the
// list's server, which takes longer; it is waited for longer, once.
inline constexpr std::uint32_t kFirstAddressWait = 1000;

// The browser lists a new frame a moment after making it, so a read that
// came first does not name it: it is asked again, this many reads in all.
inline constexpr int kReadsBeforeUnlisted = 3;

// A frame that still names no page once its hold is over (a blank home
// page, a frame the shell never lists) is asked again less and less often,
// at the most this many ticks apart: every read is a call into the
// shell's process, and one each tick for such frames was most of what the
// idle program cost.
inline constexpr int kMostTicksBetweenAsks = 32;

// What the scan knows of the browser frames' addresses. Each address is
// kept with the title the frame showed when it was asked for, since a new
// title is a new page: it names the page only while the title stays.
// Reads run apart from the scan (BrowserAddresses); a frame wanted while
// one runs is asked in the next.
class FrameAddresses {
 public:
  explicit FrameAddresses(BrowserAddresses& shell) : shell_(shell) {}

  // The frame, showing `title`, is to be asked at the next StartReadOfWanted.
  void Want(WindowHandle frame, std::string_view title);
  // Starts a read of what is wanted, unless one runs; true when this started one.
  bool StartReadOfWanted();
  // Takes the running read's answer, waiting at most `milliseconds` for it.
  void Take(std::uint32_t milliseconds);
  // How long a tick that started a read waits for it.
  std::uint32_t ReadWait() const { return answered_ ? kAddressWait : kFirstAddressWait; }
  // The address read for the frame while it showed `title` (empty when the
  // shell named none); null when none was read for that title.
  const std::string* AddressOf(WindowHandle frame, std::string_view title) const;
  // Whether the frame showing `title` was left out of every read so far,
  // fewer than kReadsBeforeUnlisted of them: the shell may list it soon.
  bool NotListedYet(WindowHandle frame, std::string_view title) const;
  // Whether the frame showing `title`, read naming no page, is to be asked
  // again at this tick: at every tick for its first `everyTick` such reads
  // in a row, then after twice as many ticks each time, kMostTicksBetweenAsks
  // at the most.
  bool DueAgain(WindowHandle frame, std::string_view title, int everyTick) const;
  // Counts a tick, the unit DueAgain waits in.
  void NextTick() { ++ticks_; }
  // Whether the frame showing `title` is asked for in the read that runs or
  // in the next: its answer is still to come.
  bool Asking(WindowHandle frame, std::string_view title) const;
  // How many frames wait for an answer, in the read that runs and the next.
  std::size_t Waiting() const { return asked_.size() + wanted_.size(); }
  // Forgets the frames not among `open`: a new window may get their handle.
  void KeepOnly(const std::vector<WindowHandle>& open);

  // Told of each frame an answer was taken for: its title when asked, and
  // the address read (empty when none).
  std::function<void(WindowHandle, const std::string&, const std::string&)> onRead;

 private:
  struct Known {
    std::string title;
    std::string address;
    int unlistedReads = 0;  // in a row, for this title
    int noPageReads = 0;    // in a row, for this title, listed or not
    long long readAt = 0;   // the tick its last answer was taken in
  };

  BrowserAddresses& shell_;
  std::unordered_map<WindowHandle, std::string> wanted_;  // frame to its title, for the next read
  std::unordered_map<WindowHandle, std::string> asked_;   // of the read that runs
  std::unordered_map<WindowHandle, Known> known_;
  std::vector<FrameAddress> answer_;  // reused
  bool reading_ = false;
  bool answered_ = false;  // a read has been answered in this run
  long long ticks_ = 0;
};

// An address that names no page yet: a new window shows one until its page
// arrives, so it is asked again.
bool NamesNoPage(std::string_view address);

}  // namespace vandrel
