#pragma once
#include <windows.h>

#include <functional>

#include "platform/DocumentOpener.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {

// ShellExecuteA with the verb "open". The application's window is asked for
// at every call: until it exists nothing owns what the shell shows. shell32
// is loaded at the first document.
class Win32DocumentOpener : public DocumentOpener {
 public:
  explicit Win32DocumentOpener(std::function<HWND()> applicationWindow)
      : applicationWindow_(std::move(applicationWindow)) {}
  void Open(const std::string& target, ShowCommand show, bool ownedByApplication) override;

 private:
  std::function<HWND()> applicationWindow_;
  LateLibrary shell32_{"shell32.dll"};
};

}  // namespace vandrel
