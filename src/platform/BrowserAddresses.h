#pragma once
#include <string>

#include "platform/Desktop.h"

namespace vandrel {

// The addresses the shell's open browser windows show.
class BrowserAddresses {
 public:
  virtual ~BrowserAddresses() = default;
  // The address the browser frame shows now; empty when the shell does not
  // list the frame or cannot say.
  virtual std::string AddressOf(WindowHandle frame) = 0;
};

}  // namespace vandrel
