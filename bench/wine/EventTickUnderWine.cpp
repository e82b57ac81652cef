// Measures how soon Vandrel closes a pop-up under Wine with the scan timer
// at 2 s, and what listening to window events costs:
// - latency: titled, visible pop-up-class windows and browser frames beyond
//   the window limit, made at random moments, timed from their creation to
//   the WM_CLOSE they receive: to its posting into their queue (the goal),
//   and to the helper's handling of it, which under Wine waits for the
//   helper's own CreateWindowEx to return (that takes 10-50 ms on Xvfb, and
//   Vandrel has mostly posted the close by then); then polling alone:
//   windows made hidden and shown long after their creation (after the
//   watch for hidden windows is over), which Wine does not announce, so only
//   the timer finds them;
// - a storm of window creations at 1,000 a second, the CPU of this Wine
//   prefix with Vandrel running against the same storm without it.
// The idle process is measured by idle_under_wine.
//   event_tick_under_wine.exe <Vandrel.exe> [windows]
// Exits non-zero when a goal is missed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ClosingProbe.h"
#include "Launch.h"
#include "PrefixCpu.h"
#include "RegistryReset.h"
#include "RunningVandrel.h"

namespace {

using namespace vandrel;
using bench::RunningVandrel;
using test::ClosingProbe;

constexpr const char* kSettingsKey = "Software\\Korvane\\Vandrel";
constexpr int kLatencyInterval = 2000;
constexpr int kStormWindows = 3000, kStormPerSecond = 1000;
constexpr double kMedianGoalMs = 20, kP95GoalMs = 50, kStormGoal = 1.5;

void Set(const char* name, const std::string& text) { test::WriteString(HKEY_CURRENT_USER, kSettingsKey, name, text); }

// Handles this thread's messages (the probes' among them) for a while.
void PumpFor(DWORD milliseconds) { test::PumpMessages(milliseconds); }

struct Summary {
  double median = 0, p95 = 0;
  int missed = 0;
  std::vector<double> samples;  // sorted
};

Summary Summarise(std::vector<double> samples, int missed) {
  Summary summary;
  summary.missed = missed;
  if (samples.empty()) return summary;
  std::sort(samples.begin(), samples.end());
  summary.median = samples[samples.size() / 2];
  summary.p95 = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
  summary.samples = std::move(samples);
  return summary;
}

struct Closes {
  Summary posted, handled, creation;
};

// Makes `count` pop-ups and frames in turn at random moments and times their closes.
// `shownLate`: made hidden and shown after the event ticks are over.
Closes TimeCloses(int count, bool shownLate, std::mt19937& random) {
  std::uniform_int_distribution<int> pause(100, 700);
  std::vector<double> posted, handled, creation;
  int missed = 0;
  for (int i = 0; i < count; ++i) {
    PumpFor(static_cast<DWORD>(pause(random)));
    const bool frame = i % 2 == 1;
    const std::string title =
        frame ? "Page " + std::to_string(i) + " - Microsoft Internet Explorer" : "Pop-up " + std::to_string(i);
    ClosingProbe probe(frame ? "IEFrame" : "Internet Explorer_TridentDlgFrame", title, frame, !shownLate);
    if (shownLate) {
      PumpFor(800);  // past the late tick of its creation, and the watch
      probe.Show();
    }
    creation.push_back(probe.CreationMs());
    if (const auto closed = probe.WaitForClose(3 * kLatencyInterval)) {
      handled.push_back(*closed);
      posted.push_back(*probe.PostedAfter());
    } else {
      ++missed;
    }
  }
  return {Summarise(posted, missed), Summarise(handled, missed), Summarise(creation, 0)};
}

struct StormCost {
  double cpuSeconds = 0;
  double seconds = 0;  // how long the storm took
};

// CPU seconds of the prefix while another program's windows come and go at
// 1,000 a second (or as fast as Wine makes them).
StormCost Storm() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VandrelBenchStorm";
  RegisterClassA(&windowClass);
  const CpuSample before = SamplePrefixCpu();
  const double start = test::NowMilliseconds();
  for (int made = 0; made < kStormWindows;) {
    const double due = (test::NowMilliseconds() - start) * kStormPerSecond / 1000;
    for (; made < kStormWindows && made < due; ++made) {
      const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Storm", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                          nullptr, windowClass.hInstance, nullptr);
      DestroyWindow(window);
    }
    PumpFor(1);
  }
  const double seconds = (test::NowMilliseconds() - start) / 1000;
  PumpFor(1000);  // the ticks the storm's end still wakes
  return {CpuSecondsBetween(before, SamplePrefixCpu()), seconds};
}

void Print(const char* what, const Summary& summary) {
  std::printf("wine event tick: %s: median %.1f ms, p95 %.1f ms, %d never closed; all (ms):", what, summary.median,
              summary.p95, summary.missed);
  for (const double sample : summary.samples) std::printf(" %.0f", sample);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: event_tick_under_wine <Vandrel.exe> [windows]\n");
    return 2;
  }
  const std::string vandrel = test::WindowsPathOf(argv[1]);
  const int count = argc > 2 ? std::atoi(argv[2]) : 40;
  std::mt19937 random(20261209);
  Set("TOD", "1");  // no tip of the day
  Set("AutoStart", "1");
  Set("TimerInterval", std::to_string(kLatencyInterval));
  Set("LimitEnabled", "1");
  Set("LimitWindows", "1");

  Closes events, polling;
  StormCost stormWith, stormWithout;
  {
    // The frame the limit keeps, so every frame made after it is beyond the limit.
    ClosingProbe known("IEFrame", "Known - Microsoft Internet Explorer", true);
    RunningVandrel running(vandrel);
    if (!running.Started()) {
      std::printf("wine event tick: Vandrel's main window never came\n");
      return 1;
    }
    PumpFor(2 * kLatencyInterval + 500);  // a timer tick knows the frame
    events = TimeCloses(count, false, random);
    polling = TimeCloses(count / 4, true, random);
    stormWith = Storm();
  }
  stormWithout = Storm();

  Print("events, timer at 2 s, close posted", events.posted);
  Print("events, timer at 2 s, close handled by the helper", events.handled);
  Print("events, the helper's CreateWindowEx alone", events.creation);
  Print("polling alone (shown late, unannounced), timer at 2 s, close posted", polling.posted);
  std::printf(
      "wine event tick: storm of %d windows at %d/s: prefix CPU %.2f s in %.1f s with Vandrel, %.2f s in %.1f s "
      "without\n",
      kStormWindows, kStormPerSecond, stormWith.cpuSeconds, stormWith.seconds, stormWithout.cpuSeconds,
      stormWithout.seconds);
  const double stormRatio = stormWith.cpuSeconds / stormWithout.cpuSeconds;
  std::printf("ratio wine storm with/without Vandrel = %.2f (goal %.1f)\n", stormRatio, kStormGoal);
  const Summary& latency = events.posted;
  std::printf("wine event tick: close posted, goal median <= %.0f ms and p95 <= %.0f ms: %s\n", kMedianGoalMs,
              kP95GoalMs,
              latency.missed == 0 && latency.median <= kMedianGoalMs && latency.p95 <= kP95GoalMs ? "met" : "missed");
  const bool met =
      latency.missed == 0 && latency.median <= kMedianGoalMs && latency.p95 <= kP95GoalMs && stormRatio <= kStormGoal;
  return met ? 0 : 1;
}
