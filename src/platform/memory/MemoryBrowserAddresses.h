#pragma once
#include <map>
#include <string>

#include "platform/BrowserAddresses.h"

namespace vandrel {

// The shell's browser list as a map from frame to address; a frame not in
// it has no address the shell can give.
class MemoryBrowserAddresses : public BrowserAddresses {
 public:
  std::string AddressOf(WindowHandle frame) override {
    ++lookups;
    const auto found = addresses.find(frame);
    return found == addresses.end() ? std::string() : found->second;
  }
  std::map<WindowHandle, std::string> addresses;
  int lookups = 0;
};

}  // namespace vandrel
