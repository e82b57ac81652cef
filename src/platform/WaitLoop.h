#pragma once
#include <cstdint>

namespace vandrel {

// What a wait on the GUI thread needs: a way to let the window messages that
// are waiting run (timers, clicks), and a millisecond tick count that wraps
// around after 2^32 ms, so elapsed times are unsigned differences.
class WaitLoop {
 public:
  virtual ~WaitLoop() = default;
  virtual void DispatchPendingMessages() = 0;
  // Rests until a message arrives or `milliseconds` pass, then dispatches
  // what is waiting: a poll that neither burns the processor nor stalls the window.
  virtual void RestThenDispatch(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t TickCount() = 0;
};

}  // namespace vandrel
