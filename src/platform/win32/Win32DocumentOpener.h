#pragma once
#include <windows.h>

#include <functional>

#include "platform/DocumentOpener.h"

namespace vandrel {

// ShellExecuteA with the verb "open". The application's window is asked for
// at every call: until it exists nothing owns what the shell shows.
class Win32DocumentOpener : public DocumentOpener {
 public:
  explicit Win32DocumentOpener(std::function<HWND()> applicationWindow)
      : applicationWindow_(std::move(applicationWindow)) {}
  void Open(const std::string& target, ShowCommand show, bool ownedByApplication) override;

 private:
  std::function<HWND()> applicationWindow_;
};

}  // namespace vandrel
