// How long the erase preview of a large Temp holds the program's windows
// under Wine: the longest stretch between two moments its walk lets the
// waiting messages run, against the whole walk, which is how long it held
// them when it let none run. A tree of small files spread over folders
// (100,000 files in 400 folders unless given as arguments).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "TempTree.h"
#include "WineTiming.h"
#include "eraser/EraseCommand.h"
#include "eraser/ErasePreview.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32TraceLook.h"

namespace {

using namespace vandrel;

// Only the temporary folder, as the Temp step reads it.
class TempOnly : public Shell {
 public:
  explicit TempOnly(std::string temp) : temp_(std::move(temp)) {}
  std::string EnvironmentVariable(const std::string&) override { return temp_; }
  std::string SpecialFolderPath(SpecialFolder) override { return {}; }
  void ClearRecentDocuments() override {}
  bool EmptyRecycleBin() override { return true; }
  std::optional<std::vector<std::string>> Subfolders(const std::string&) override {
    return std::vector<std::string>{};
  }

 private:
  std::string temp_;
};

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100'000;
  const int folders = argc > 2 ? std::atoi(argv[2]) : 400;
  const std::string root = BesideThisProgram("preview-bench");
  MakeTempTree(root, files, folders);

  MemoryRegistry registry;
  TempOnly shell(root);
  Win32TraceLook look;
  EraseSelection temp;
  temp.tempFolder = true;
  // Before: the walk lets no message run, so it holds the windows throughout.
  const double wholeMs = MicrosecondsOf([&] { PreviewErase(temp, registry, shell, look); }) / 1000;
  // After: as the program runs it, the messages run every kPumpEvery entries.
  std::size_t entries = 0;
  double last = NowMicroseconds(), longest = 0;
  const double pumpedMs = MicrosecondsOf([&] {
                            PreviewErase(temp, registry, shell, look, [&] {
                              if (entries++ % kPumpEvery != 0) return;
                              MSG message;
                              while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
                              const double now = NowMicroseconds();
                              longest = std::max(longest, now - last);
                              last = now;
                            });
                          }) /
                          1000;
  longest = std::max(longest, NowMicroseconds() - last);
  std::printf("wine: preview of a Temp of %d files in %d folders: walk %.0f ms unpumped, %.0f ms pumped\n", files,
              folders, wholeMs, pumpedMs);
  std::printf("wine: windows held by the walk: before %.0f ms, after %.2f ms at most\n", wholeMs, longest / 1000);
  // The goal: the windows answer within a quarter of a second whatever the tree.
  std::printf("ratio wine preview hold after/before = %.3f (goal: after <= 250 ms)\n", longest / 1000 / wholeMs);
  const std::string command = "cmd /c rd /s /q \"" + root + "\"";
  return std::system(command.c_str()) == 0 ? 0 : 1;
}
