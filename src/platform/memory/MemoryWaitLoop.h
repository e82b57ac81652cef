#pragma once
#include <cstdint>
#include <functional>

#include "platform/WaitLoop.h"

namespace vandrel {

// A wait loop whose clock moves by `step` milliseconds at every reading, so
// a wait ends after a known number of polls without real time passing.
class MemoryWaitLoop : public WaitLoop {
 public:
  std::uint32_t now = 0;
  std::uint32_t step = 1;
  int dispatches = 0;
  // Runs at every dispatch, as a timer or a click would.
  std::function<void()> onDispatch;
  // A quit waiting in the queue: the next dispatch meets it, and it stays
  // posted for the main loop, as the real loop posts it again.
  bool quitPosted = false;

  void DispatchPendingMessages() override {
    ++dispatches;
    if (onDispatch) onDispatch();
    if (quitPosted) quitSeen_ = true;
  }
  void RestThenDispatch(std::uint32_t milliseconds) override {
    rested += milliseconds;
    DispatchPendingMessages();
  }
  std::uint32_t rested = 0;  // the milliseconds all rests asked for
  std::uint32_t TickCount() override {
    const std::uint32_t reading = now;
    now += step;
    return reading;
  }
  bool QuitSeen() const override { return quitSeen_; }

 private:
  bool quitSeen_ = false;
};

}  // namespace vandrel
