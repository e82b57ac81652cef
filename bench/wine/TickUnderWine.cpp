// Measures one scan tick against real windows under Wine, as a multiple of
// a bare loop that enumerates the same desktop once and reads each window's
// visibility, title, class and style: the least a scan that reads everything
// would cost. 200 windows (10 browser frames) come from the popup helper;
// the tick runs with the limit on, once with no block list and once with
// 10,000 entries that match nothing. Then the cost of each desktop call on
// its own, so a slow tick shows where its time goes.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "BareLoop.h"
#include "BenchWorkload.h"
#include "PopupHelper.h"
#include "WineTiming.h"
#include "blocklist/TitleSuffix.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32SystemInfo.h"

namespace {

using namespace vandrel;

constexpr int kRounds = 60;
constexpr double kGoal = 0.5;

// One call made for every visible window, timed alone (microseconds per tick).
template <typename Call>
double PerTickCost(const std::vector<HWND>& windows, Call&& call) {
  std::vector<double> samples;
  for (int round = 0; round < kRounds / 2; ++round) {
    samples.push_back(MicrosecondsOf([&] {
      for (const HWND window : windows) call(window);
    }));
  }
  return Median(samples);
}

void PrintCallCosts(const std::vector<HWND>& visible) {
  char text[256];
  wchar_t wide[256];
  std::vector<HWND> scratch;
  std::vector<double> enumerations;
  for (int round = 0; round < kRounds / 2; ++round) {
    enumerations.push_back(MicrosecondsOf([&] {
      scratch.clear();
      EnumWindows(Collect, reinterpret_cast<LPARAM>(&scratch));
    }));
  }
  std::printf("calls: EnumWindows alone = %.0f us\n", Median(enumerations));
  const auto print = [&](const char* name, double us) {
    std::printf("calls: %-28s x%zu = %.0f us\n", name, visible.size(), us);
  };
  print("IsWindowVisible", PerTickCost(visible, [](HWND w) { IsWindowVisible(w); }));
  print("GetWindowLongA(GWL_STYLE)", PerTickCost(visible, [](HWND w) { GetWindowLongA(w, GWL_STYLE); }));
  print("GetWindowInfo", PerTickCost(visible, [](HWND w) {
          WINDOWINFO info{};
          info.cbSize = sizeof info;
          GetWindowInfo(w, &info);
        }));
  print("GetClassNameA", PerTickCost(visible, [&](HWND w) { GetClassNameA(w, text, sizeof text); }));
  print("GetWindowTextA", PerTickCost(visible, [&](HWND w) { GetWindowTextA(w, text, sizeof text); }));
  print("InternalGetWindowText", PerTickCost(visible, [&](HWND w) { InternalGetWindowText(w, wide, 256); }));
}

}  // namespace

int main() {
  test::PopupHelper helper = test::PopupHelper::Many(200, 10);

  Win32Desktop desktop;
  Win32SystemInfo system;
  const UpperCaseTable upper = system.UpperCasing();
  const std::string suffix = kDefaultTitleSuffix;

  std::vector<std::string> titles;
  std::vector<HWND> helperWindows;
  for (std::size_t i = 0; i < helper.Count(); ++i) {
    char title[256] = {};
    GetWindowTextA(helper.Window(i), title, sizeof(title));
    titles.emplace_back(title);
    helperWindows.push_back(helper.Window(i));
  }
  BlockList noList(upper);
  BlockList longList(upper);
  longList.Assign(MakeBlockEntries(10000, kBenchSeed, titles, upper));

  Settings settings;
  settings.LimitEnabled = true;
  settings.LimitWindows = 25;
  CountingEvents events;
  WindowScan scanWithoutList(desktop, settings, noList, suffix, events);
  WindowScan scanWithList(desktop, settings, longList, suffix, events);
  scanWithoutList.Tick();  // records the frames
  scanWithList.Tick();     // and builds the matcher

  BareLoop bareLoop;
  std::vector<double> bare, withoutList, withList;
  for (int round = 0; round < kRounds; ++round) {  // interleaved, so load hits all alike
    bare.push_back(MicrosecondsOf(bareLoop));
    withoutList.push_back(MicrosecondsOf([&] { scanWithoutList.Tick(); }));
    withList.push_back(MicrosecondsOf([&] { scanWithList.Tick(); }));
  }
  const double bareUs = Median(bare);
  const double withoutUs = Median(withoutList), withUs = Median(withList);
  std::printf("wine: %zu windows, %zu visible, %zu frames known, %lld closes\n", bareLoop.windows.size(),
              bareLoop.visible, scanWithList.OldTitles().size(), events.closed);
  std::printf("wine: bare loop (visible, title, class, style) = %.0f us (median of %d)\n", bareUs, kRounds);
  std::printf("wine: tick without block list = %.0f us\n", withoutUs);
  std::printf("wine: tick with 10000 entries = %.0f us\n", withUs);
  std::printf("ratio wine tick without block list/bare loop = %.2f (goal %.1f)\n", withoutUs / bareUs, kGoal);
  std::printf("ratio wine tick with 10000 entries/bare loop = %.2f (goal %.1f)\n", withUs / bareUs, kGoal);
  PrintCallCosts(helperWindows);
  for (std::size_t i = 0; i < helper.Count(); ++i) {
    if (helper.ClosesReceived(i)) std::printf("closed %d times: '%s'\n", helper.ClosesReceived(i), titles[i].c_str());
  }
  const bool met = withoutUs / bareUs <= kGoal && withUs / bareUs <= kGoal;
  return events.closed == 0 && met ? 0 : 1;
}
