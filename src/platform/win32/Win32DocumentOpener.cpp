#include "platform/win32/Win32DocumentOpener.h"

namespace vandrel {

void Win32DocumentOpener::Open(const std::string& target, ShowCommand show, bool ownedByApplication) {
  const HWND owner = ownedByApplication ? applicationWindow_() : nullptr;
  using ExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  if (const auto execute = shell32_.Find<ExecuteFunction>("ShellExecuteA")) {
    execute(owner, "open", target.c_str(), nullptr, nullptr, static_cast<int>(show));
  }
}

}  // namespace vandrel
