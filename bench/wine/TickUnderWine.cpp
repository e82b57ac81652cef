// Measures one scan tick against real windows under Wine, as a multiple of
// one bare enumeration that reads each window's title and class once: the
// cost the scan cannot go below. 200 windows (20 browser frames) come from
// the popup helper; the block list holds 10,000 entries that match nothing.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "BenchWorkload.h"
#include "PopupHelper.h"
#include "WineTiming.h"
#include "blocklist/TitleSuffix.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32SystemInfo.h"

namespace {

using namespace vandrel;

}  // namespace

int main() {
  test::PopupHelper helper = test::PopupHelper::Many(200, 20);

  Win32Desktop desktop;
  Win32SystemInfo system;
  const UpperCaseTable upper = system.UpperCasing();
  const std::string suffix = kDefaultTitleSuffix;

  std::vector<std::string> titles;
  for (std::size_t i = 0; i < helper.Count(); ++i) {
    char title[256] = {};
    GetWindowTextA(helper.Window(i), title, sizeof(title));
    titles.emplace_back(title);
  }
  BlockList blockList(upper);
  blockList.Assign(MakeBlockEntries(10000, kBenchSeed, titles, upper));

  Settings settings;
  settings.LimitEnabled = true;
  settings.LimitWindows = 25;
  CountingEvents events;
  WindowScan scan(desktop, settings, blockList, suffix, events);
  scan.Tick();  // builds the matcher and records the frames

  std::vector<WindowHandle> windows;
  TitleText title;
  ClassText className;
  auto bareEnumeration = [&] {
    desktop.ListVisibleWindows(windows);
    for (const WindowHandle window : windows) {
      desktop.ReadTitle(window, title);
      desktop.ReadClassName(window, className);
    }
  };

  constexpr int kRounds = 60;
  std::vector<double> bare, tick;
  for (int round = 0; round < kRounds; ++round) {  // interleaved, so load hits both alike
    bare.push_back(MicrosecondsOf(bareEnumeration));
    tick.push_back(MicrosecondsOf([&] { scan.Tick(); }));
  }
  const double bareUs = Median(bare), tickUs = Median(tick);
  std::printf("wine: %zu visible windows, %zu frames known, %lld closes\n", windows.size(),
              scan.OldTitles().size(), events.closed);
  std::printf("wine: bare enumeration with one title and class read = %.0f us (median of %d)\n", bareUs,
              kRounds);
  std::printf("wine: tick with 10000 entries = %.0f us (median of %d)\n", tickUs, kRounds);
  std::printf("ratio wine tick/bare enumeration = %.2f\n", tickUs / bareUs);
  for (std::size_t i = 0; i < helper.Count(); ++i) {
    if (helper.ClosesReceived(i)) std::printf("closed %d times: '%s'\n", helper.ClosesReceived(i), titles[i].c_str());
  }
  return events.closed == 0 ? 0 : 1;
}
