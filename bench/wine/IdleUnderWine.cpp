// What the whole idle Vandrel costs under Wine: the CPU of this Wine prefix
// (the program with every timer and thread it runs, the wineserver, the
// desktop process that serves the shell's list of browser windows) while
// Vandrel runs at its default interval of 100 ms over 200 windows of another
// program, 10 of them browser frames that the shell does not list, against
// the bare loop over the same desktop at the same rate, in the same run:
// - quiet, with an empty always-allowed list and with one that holds a site
//   (the frames' addresses are then asked of the shell);
// - with one window of another program renaming itself every 100 ms (a
//   clock in a title), which the event hook hears.
// Vandrel runs from a folder of the benchmark's own, so that its lists are
// the benchmark's and not what the tests left beside the build.
//   idle_under_wine.exe <Vandrel.exe>
// Exits non-zero when a goal is missed.
#include <windows.h>
#include <exdisp.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "BareLoop.h"
#include "ClosingProbe.h"
#include "Launch.h"
#include "PopupHelper.h"
#include "PrefixCpu.h"
#include "RegistryReset.h"
#include "RunningVandrel.h"
#include "blocklist/TitlesFile.h"
#include "platform/win32/Handles.h"

namespace {

using namespace vandrel;

constexpr const char* kSettingsKey = "Software\\Korvane\\Vandrel";
constexpr DWORD kInterval = 100, kPhaseMs = 10000, kSettleMs = 2000;
constexpr double kIdleGoal = 0.5;

void Set(const char* name, const std::string& text) { test::WriteString(HKEY_CURRENT_USER, kSettingsKey, name, text); }

// A window of this process whose title counts up at every round, when asked.
class RenamedWindow {
 public:
  RenamedWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VandrelBenchClock";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "Clock 0", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                              100, nullptr, nullptr, windowClass.hInstance, nullptr);
  }
  ~RenamedWindow() { DestroyWindow(window_); }
  RenamedWindow(const RenamedWindow&) = delete;
  RenamedWindow& operator=(const RenamedWindow&) = delete;
  void Next() { SetWindowTextA(window_, ("Clock " + std::to_string(++count_)).c_str()); }

 private:
  HWND window_ = nullptr;
  int count_ = 0;
};

struct PhaseCost {
  std::map<std::string, double> byName;
  double total = 0;
};

// The prefix's CPU over one phase, running `eachRound` every interval and
// handling this thread's messages in between.
PhaseCost Measure(const std::function<void()>& eachRound) {
  const CpuSample before = SamplePrefixCpu();
  const double start = test::NowMilliseconds();
  for (DWORD round = 0; round < kPhaseMs / kInterval; ++round) {
    eachRound();
    const double due = start + (round + 1) * static_cast<double>(kInterval);
    test::PumpMessages(static_cast<DWORD>(std::max(0.0, due - test::NowMilliseconds())));
  }
  const CpuSample after = SamplePrefixCpu();
  return {CpuSecondsByName(before, after), CpuSecondsBetween(before, after)};
}

PhaseCost MeasureVandrel(const std::string& vandrel, const std::function<void()>& eachRound) {
  const bench::RunningVandrel running(vandrel);
  if (!running.Started()) {
    std::printf("wine idle: Vandrel's main window never came\n");
    std::exit(1);
  }
  test::PumpMessages(kSettleMs);  // its start and first reads are not idle
  return Measure(eachRound);
}

void Print(const char* what, const PhaseCost& cost) {
  std::printf("wine idle: %s: prefix CPU %.2f s in %lu s:", what, cost.total, kPhaseMs / 1000);
  for (const auto& [name, seconds] : cost.byName) {
    if (seconds >= 0.005) std::printf(" %s %.2f", name.c_str(), seconds);
  }
  std::printf("\n");
}

bool Ratio(const char* what, const PhaseCost& vandrel, const PhaseCost& bare) {
  const double ratio = vandrel.total / bare.total;
  std::printf("ratio wine idle %s Vandrel/bare loop = %.2f (goal %.1f)\n", what, ratio, kIdleGoal);
  return ratio <= kIdleGoal;
}

// A copy of Vandrel.exe in a folder of its own; `allowed` is its allowed.dat (none when empty).
class OwnFolder {
 public:
  explicit OwnFolder(const std::string& vandrel) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "VandrelIdleBench\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    if (!CopyFileA(vandrel.c_str(), Exe().c_str(), FALSE)) {
      std::printf("wine idle: cannot copy %s\n", vandrel.c_str());
      std::exit(1);
    }
  }
  std::string Exe() const { return folder_ + "Vandrel.exe"; }
  void SetAllowed(const std::vector<std::string>& entries) const {
    const std::string path = folder_ + "allowed.dat";
    DeleteFileA(path.c_str());
    if (entries.empty()) return;
    const std::string content = EncodeTitles(entries);
    const UniqueFileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
      std::printf("wine idle: cannot write %s\n", path.c_str());
      std::exit(1);
    }
  }

 private:
  std::string folder_;
};

// Whether the desktop process serves the shell's list of browser windows:
// Wine's does once its server has started afresh, and after some tests
// not, when Vandrel's reads cost it nothing.
bool ShellListServed() {
  if (FAILED(CoInitialize(nullptr))) return false;
  IShellWindows* windows = nullptr;
  const bool made = SUCCEEDED(
      CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, reinterpret_cast<void**>(&windows)));
  if (made) windows->Release();
  CoUninitialize();
  return made;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: idle_under_wine <Vandrel.exe>\n");
    return 2;
  }
  const OwnFolder own(test::WindowsPathOf(argv[1]));
  Set("TOD", "1");  // no tip of the day
  Set("AutoStart", "1");
  Set("TimerInterval", std::to_string(kInterval));
  Set("LimitEnabled", "0");
  const test::PopupHelper helper = test::PopupHelper::Many(200, 10);
  BareLoop bareLoop;
  const auto nothing = [] {};

  const PhaseCost bareQuiet = Measure([&] { bareLoop(); });
  own.SetAllowed({});
  const PhaseCost emptyList = MeasureVandrel(own.Exe(), nothing);
  own.SetAllowed({"Sexample.org"});
  const PhaseCost withSite = MeasureVandrel(own.Exe(), nothing);

  PhaseCost bareRenamed, siteRenamed;
  {
    RenamedWindow clock;
    bareRenamed = Measure([&] {
      bareLoop();
      clock.Next();
    });
    siteRenamed = MeasureVandrel(own.Exe(), [&] { clock.Next(); });
  }

  std::printf("wine idle: the shell's list of browser windows is %s\n",
              ShellListServed() ? "served" : "not served (restart the Wine server to measure its reads)");
  Print("bare loop", bareQuiet);
  Print("Vandrel, empty allowed list", emptyList);
  Print("Vandrel, a site allowed", withSite);
  Print("bare loop, a title renamed every 100 ms", bareRenamed);
  Print("Vandrel, a site allowed, a title renamed every 100 ms", siteRenamed);
  bool met = Ratio("empty list", emptyList, bareQuiet);
  met = Ratio("a site", withSite, bareQuiet) && met;
  met = Ratio("a site and a renamed title", siteRenamed, bareRenamed) && met;
  return met ? 0 : 1;
}
