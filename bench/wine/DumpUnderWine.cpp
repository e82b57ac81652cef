// Measures the viewer's dump of a 32 MB index file into its real memo under
// Wine (the window shown, the gauge moving, the messages pumped), against
// the floor: reading the same file and formatting the same lines into memory
// without any window. Both in one run, interleaved. Also reports the longest
// time the dump kept the window's messages waiting.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "WineTiming.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryShell.h"
#include "platform/memory/MemoryTraceFiles.h"
#include "platform/memory/MemoryUrlCache.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32WaitLoop.h"
#include "ui/memory/ScriptedPrompts.h"
#include "viewer/DumpCursor.h"
#include "viewer/TDemo.h"
#include "viewer/win32/DemoView.h"

namespace {

using namespace vandrel;

// The real pump, timing the gaps between its calls.
class GapTimingWaitLoop : public WaitLoop {
 public:
  void DispatchPendingMessages() override {
    const double now = NowMicroseconds();
    longestGap = std::max(longestGap, now - last_);
    real_.DispatchPendingMessages();
    last_ = NowMicroseconds();
    inDispatch += last_ - now;
    ++dispatches;
  }
  void RestThenDispatch(std::uint32_t milliseconds) override { real_.RestThenDispatch(milliseconds); }
  std::uint32_t TickCount() override { return real_.TickCount(); }
  bool QuitSeen() const override { return real_.QuitSeen(); }
  void Restart() {
    last_ = NowMicroseconds();
    longestGap = inDispatch = 0;
    dispatches = 0;
  }
  double longestGap = 0;
  double inDispatch = 0;  // microseconds spent dispatching
  int dispatches = 0;

 private:
  Win32WaitLoop real_;
  double last_ = 0;
};

// Bytes like an index file's: runs of zeros, addresses and binary fields.
std::string IndexLikeBytes(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 2463534242u;
  for (std::size_t i = 0; i < size; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    const std::size_t block = (i / 512) % 4;
    bytes[i] = block == 0 ? '\0' : block == 1 ? static_cast<char>('a' + state % 26) : static_cast<char>(state);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
  const std::size_t size = megabytes << 20;
  char executable[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, executable, MAX_PATH);
  const std::string exePath(executable, length);
  const std::string folder = exePath.substr(0, exePath.find_last_of('\\')) + "\\dump-bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\History.IE5").c_str(), nullptr);
  const std::string file = folder + "\\History.IE5\\index.dat";
  {
    const std::string bytes = IndexLikeBytes(size);
    const UniqueFileHandle out(
        CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }

  MemoryRegistry registry;
  registry.WriteString(RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       "History", folder);
  Win32FileSystem files(exePath);
  MemoryTraceFiles traceFiles;
  MemoryShell shell{traceFiles};
  MemoryUrlCache urlCache;
  GapTimingWaitLoop waitLoop;
  ScriptedPrompts prompts;
  EraseGuard guard;
  TDemo demo(registry, files, traceFiles, shell, urlCache, waitLoop, prompts, guard);
  demo.dCache.SetChecked(false);
  demo.dCookies.SetChecked(false);
  DemoView view(demo, prompts);
  view.Create(GetModuleHandleA(nullptr), nullptr);
  demo.Demo1Click();
  waitLoop.DispatchPendingMessages();

  double appendUs = 0, gaugeUs = 0;
  auto viewAppended = demo.Memo2.appended;
  demo.Memo2.appended = [&] { appendUs += MicrosecondsOf(viewAppended); };
  auto viewGauge = demo.Gauge1.redraw;
  demo.Gauge1.redraw = [&] { gaugeUs += MicrosecondsOf(viewGauge); };
  std::size_t floorText = 0;
  auto floor = [&] {
    const std::string content = files.ReadWhole(file);
    DumpCursor cursor(reinterpret_cast<const std::uint8_t*>(content.data()), content.size());
    std::string text;
    cursor.FormatNext(content.size(), text);
    cursor.Finish(text);
    floorText = text.size();
  };
  constexpr int kRounds = 3;
  std::vector<double> floorMs, dumpMs, gapMs;
  for (int round = 0; round < kRounds; ++round) {
    floorMs.push_back(MicrosecondsOf(floor) / 1000);
    waitLoop.Restart();
    dumpMs.push_back(MicrosecondsOf([&] { demo.ToolButton1Click(); }) / 1000);
    gapMs.push_back(waitLoop.longestGap / 1000);
    std::printf("wine: round %d: %d pumps, %.0f ms in them, %.0f ms drawing the memo, %.0f ms the gauge\n", round,
                waitLoop.dispatches, waitLoop.inDispatch / 1000, appendUs / 1000, gaugeUs / 1000);
    appendUs = gaugeUs = 0;
  }
  const bool same = demo.Memo2.Text().size() == floorText && prompts.Messages().empty();
  const double floorMedian = Median(floorMs), dumpMedian = Median(dumpMs);
  std::printf(
      "wine: dump of %zu MB into the memo %.0f ms (%.1f MB/s), read and format into memory %.0f ms, "
      "longest wait between pumps %.1f ms (reading included)\n",
      megabytes, dumpMedian, static_cast<double>(size) / 1e6 / (dumpMedian / 1000), floorMedian,
      *std::max_element(gapMs.begin(), gapMs.end()));
  std::printf("ratio wine dump memo/memory = %.2f (goal < 3, and at least 50 MB/s)\n", dumpMedian / floorMedian);
  if (!same) std::printf("wine: the memo does not hold the whole dump\n");
  DeleteFileA(file.c_str());
  RemoveDirectoryA((folder + "\\History.IE5").c_str());
  RemoveDirectoryA(folder.c_str());
  return same ? 0 : 1;
}
