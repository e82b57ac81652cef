#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace vandrel {

// A browser frame the shell lists, and the address it showed when read.
struct FrameAddress {
  WindowHandle frame = 0;
  std::string address;
};

// The addresses the shell's open browser windows show. A read asks other
// processes (each browser answers for its own windows, and a busy one
// answers late), so it runs apart from the caller, who waits for it only
// as long as it chooses.
class BrowserAddresses {
 public:
  virtual ~BrowserAddresses() = default;
  // Starts a read of every listed frame's address, unless one is running or
  // its answer waits to be taken; returns at once.
  virtual void StartReading() = 0;
  // Waits at most `milliseconds` for the read started last; true, with the
  // frames it found in `into` (replaced), once it has ended. An answer is
  // taken once; a frame the shell does not list, or cannot name the address
  // of, is not in it.
  virtual bool TakeAnswer(std::vector<FrameAddress>& into, std::uint32_t milliseconds) = 0;
};

}  // namespace vandrel
