#pragma once
#include "platform/BrowserAddresses.h"

namespace vandrel {

// The shell's list of open browser windows (IShellWindows): each entry's
// window handle and the address it shows. COM must be initialised on the
// calling thread; when the list cannot be had, no frame has an address.
class Win32BrowserAddresses : public BrowserAddresses {
 public:
  std::string AddressOf(WindowHandle frame) override;
};

}  // namespace vandrel
