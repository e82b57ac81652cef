#pragma once
#include "platform/BrowserAddresses.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {

// The shell's list of open browser windows (IShellWindows): each entry's
// window handle and the address it shows. COM must be initialised on the
// calling thread; when the list cannot be had, no frame has an address.
// ole32 and oleaut32 are loaded at the first question.
class Win32BrowserAddresses : public BrowserAddresses {
 public:
  std::string AddressOf(WindowHandle frame) override;

 private:
  LateLibrary ole32_{"ole32.dll"};
  LateLibrary oleaut32_{"oleaut32.dll"};
};

}  // namespace vandrel
