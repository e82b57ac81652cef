#include "platform/win32/Win32DocumentOpener.h"

#include <shellapi.h>

namespace vandrel {

void Win32DocumentOpener::Open(const std::string& target, ShowCommand show, bool ownedByApplication) {
  const HWND owner = ownedByApplication ? applicationWindow_() : nullptr;
  ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, static_cast<int>(show));
}

}  // namespace vandrel
