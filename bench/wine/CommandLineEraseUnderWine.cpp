// The erase of a large Temp by `Vandrel.exe Erase` (from its start to its
// exit) against the window's Erase of the same tree (from the confirmation
// to "Erase completed."). A tree of small files spread over folders
// (100,000 files in 400 folders unless given as arguments).
//   command_line_erase_under_wine.exe <Vandrel.exe> [files] [folders]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Launch.h"
#include "RegistryReset.h"
#include "TempTree.h"
#include "WineTiming.h"

namespace {

using namespace vandrel;

constexpr const char* kSettings = "Software\\Korvane\\Vandrel";

struct Search {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindOfProcess(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[64] = {};
  GetClassNameA(window, className, sizeof(className));
  if (owner != search.processId || std::string(className) != search.className || !IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

// A visible top-level window of the process with the class, waited for.
HWND WaitForWindow(DWORD processId, const char* className) {
  Search search{processId, className, nullptr};
  for (int polls = 0; polls < 600000 && !search.found; ++polls) {
    EnumWindows(&FindOfProcess, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  return search.found;
}

void Answer(HWND box) { SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }

// Milliseconds; negative when the erase did not run as it should.
double CommandLineErase(const std::string& vandrel) {
  const double start = NowMicroseconds();
  const test::Process process = test::Launch(vandrel, {"Erase"});
  if (!process.Wait(600000) || process.ExitCode().value_or(9) != 0) return -1;
  return (NowMicroseconds() - start) / 1000;
}

double WindowErase(const std::string& vandrel) {
  const test::Process process = test::Launch(vandrel, {});
  const HWND main = WaitForWindow(process.Id(), "TZAVOClass");
  if (!main) return -1;
  PostMessageA(main, WM_COMMAND, 2005, 0);  // Tools > Erase
  const HWND question = WaitForWindow(process.Id(), "#32770");
  if (!question) return -1;
  const double start = NowMicroseconds();
  Answer(question);
  HWND done = nullptr;
  while (!done || done == question) done = WaitForWindow(process.Id(), "#32770");
  const double elapsed = (NowMicroseconds() - start) / 1000;
  Answer(done);
  PostMessageA(main, WM_QUIT, 0, 0);
  process.Wait(10000);
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string vandrel = argv[1];
  const int files = argc > 2 ? std::atoi(argv[2]) : 100'000;
  const int folders = argc > 3 ? std::atoi(argv[3]) : 400;
  const std::string root = BesideThisProgram("command-line-erase-bench");
  for (const char* name : {"Cache", "All", "LocationBar", "Recent", "Recycled Bin", "Cookies", "Bookmarks", "History",
                           "MPlayer", "RealOne", "EraseAtLogOn"}) {
    test::WriteString(HKEY_CURRENT_USER, kSettings, name, "0");
  }
  test::WriteString(HKEY_CURRENT_USER, kSettings, "TempFolder", "1");
  test::WriteString(HKEY_CURRENT_USER, kSettings, "TOD", "1");  // no tip of the day
  SetEnvironmentVariableA("Temp", root.c_str());                // the program inherits it

  MakeTempTree(root, files, folders);
  const double commandMs = CommandLineErase(vandrel);
  MakeTempTree(root, files, folders);
  const double windowMs = WindowErase(vandrel);
  std::printf("wine: erase of a Temp of %d files in %d folders: command line %.0f ms (start to exit), window %.0f ms\n",
              files, folders, commandMs, windowMs);
  std::printf("ratio wine command-line erase/window erase = %.3f (goal: <= 1.2)\n", commandMs / windowMs);
  const std::string command = "cmd /c rd /s /q \"" + root + "\"";
  std::system(command.c_str());
  return commandMs > 0 && windowMs > 0 && commandMs <= 1.2 * windowMs ? 0 : 1;
}
