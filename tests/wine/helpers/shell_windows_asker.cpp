// Asks the desktop process once, as any program may: "ask" makes one call
// to the shell's list of browser windows, which Wine's desktop process
// serves on a worker thread of its own, and ends. "look" prints the
// process id of the desktop's owner and how many Vandrel main windows and
// tips of the day this program's desktop holds, as "<owner> <windows>
// <tips>". "about" opens Vandrel's
// About box, whose own loop then runs until the box is closed.
#include <windows.h>
#include <exdisp.h>

#include <cstdio>
#include <cstring>

#include "app/CommandIds.h"

namespace {

int Ask() {
  if (FAILED(CoInitialize(nullptr))) return 1;
  IShellWindows* windows = nullptr;
  const bool made = SUCCEEDED(
      CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, reinterpret_cast<void**>(&windows)));
  if (made) {
    long count = 0;
    windows->get_Count(&count);  // a call to the desktop process, whatever it answers (Wine's: not implemented)
    windows->Release();
  }
  CoUninitialize();
  return made ? 0 : 1;
}

int Look() {
  DWORD owner = 0;
  GetWindowThreadProcessId(GetDesktopWindow(), &owner);
  int windows = 0;
  for (HWND window = FindWindowExA(nullptr, nullptr, "TZAVOClass", "Vandrel"); window;
       window = FindWindowExA(nullptr, window, "TZAVOClass", "Vandrel")) {
    ++windows;
  }
  const int tips = FindWindowA("#32770", "Tip of the Day") ? 1 : 0;
  std::printf("%lu %d %d\n", owner, windows, tips);
  return 0;
}

int OpenAbout() {
  const HWND main = FindWindowA("TZAVOClass", "Vandrel");
  return main && PostMessageA(main, WM_COMMAND, vandrel::kCmdAbout1, 0) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "ask") == 0) return Ask();
  if (argc == 2 && std::strcmp(argv[1], "look") == 0) return Look();
  if (argc == 2 && std::strcmp(argv[1], "about") == 0) return OpenAbout();
  return 2;
}
