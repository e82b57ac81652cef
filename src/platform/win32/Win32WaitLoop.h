#pragma once
#include "platform/WaitLoop.h"

namespace vandrel {

// Runs the thread's waiting window messages; a quit message is put back
// for the main loop and remembered. Ticks are GetTickCount's.
class Win32WaitLoop : public WaitLoop {
 public:
  void DispatchPendingMessages() override;
  void RestThenDispatch(std::uint32_t milliseconds) override;
  std::uint32_t TickCount() override;
  bool QuitSeen() const override { return quitSeen_; }

 private:
  bool quitSeen_ = false;
};

}  // namespace vandrel
