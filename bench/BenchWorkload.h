#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "IndexedDesktop.h"
#include "NaiveBlockListPass.h"
#include "blocklist/BlockList.h"
#include "monitor/WindowScan.h"
#include "platform/memory/MemoryDesktop.h"
#include "settings/Settings.h"

namespace vandrel {

inline constexpr std::size_t kBenchFrameCount = 20;
inline constexpr std::size_t kBenchOrdinaryWindowCount = 180;
inline constexpr std::uint32_t kBenchSeed = 0x5CA1AB1E;
// The one entry of a "one match" list; it occurs in exactly one frame's title.
inline constexpr const char* kMatchingEntry = "oNLINE bAnKiNg";

// Opens the benchmark's desktop: 200 visible top-level windows, 20 of them
// browser frames with a maximise box scattered through the Z-order, the rest
// ordinary windows (a fifth of them untitled). Returns the frames' title parts.
std::vector<std::string> OpenBenchDesktop(MemoryDesktop& desktop, const std::string& titleSuffix);

// `count` distinct block list entries as a user collects them: words and
// phrases of 3 to 30 characters, mixed case, some with Latin-1 letters.
// None occurs in any of `avoid`, ignoring case. The same seed gives the same list.
std::vector<std::string> MakeBlockEntries(std::size_t count, std::uint32_t seed, const std::vector<std::string>& avoid,
                                          const UpperCaseTable& upper);

struct CountingEvents : ScanEvents {
  void CountClosedWindow() override { ++closed; }
  void LimitRaised(int) override { ++raised; }
  void SetTrayIconIndex(int index) override { icon = index; }
  long long closed = 0;
  int raised = 0;
  int icon = -1;
};

enum class BlockMatch { None, OneFrame };
// Which double the scan reads: the in-memory desktop, or its indexed copy.
enum class DesktopDouble { Memory, Indexed };

// The benchmark desktop with a block list of `entryCount` entries and the
// scans that run over it, warmed up by one tick so that the known frames are
// recorded and the matcher is built. The limit is on with room for every
// frame, so a tick closes nothing unless an entry matches, and the desktop
// stays the same tick after tick.
class BenchWorkload {
 public:
  BenchWorkload(std::size_t entryCount, BlockMatch match, DesktopDouble desktop = DesktopDouble::Memory);
  BenchWorkload(const BenchWorkload&) = delete;
  BenchWorkload& operator=(const BenchWorkload&) = delete;

  // One tick of the scan; returns the number of messages it posted.
  std::size_t Tick();
  // One tick with the plain block-list pass in place of the matcher.
  std::size_t NaiveTick();

  const std::vector<std::string>& Entries() const { return entries_; }
  const std::vector<std::string>& TitleParts() const { return titleParts_; }
  const UpperCaseTable& Upper() const { return upper_; }
  const TitleMatcher& Matcher() const { return blockList_.Matcher(); }
  const CountingEvents& Events() const { return events_; }

 private:
  std::size_t TakePosted();

  MemoryDesktop memoryDesktop_;
  UpperCaseTable upper_;
  std::string titleSuffix_;
  std::vector<std::string> titleParts_;
  IndexedDesktop indexedDesktop_;  // copied once the windows are open
  DesktopDouble desktopDouble_;
  Desktop& desktop_;
  std::vector<std::string> entries_;
  Settings settings_;
  BlockList blockList_;
  BlockList emptyList_;
  CountingEvents events_;
  WindowScan scan_;
  WindowScan scanWithoutList_;
  NaiveBlockListPass naivePass_;
};

}  // namespace vandrel
