#pragma once
#include <cstddef>
#include <functional>
#include <utility>

#include "platform/WaitLoop.h"

namespace vandrel {

// Every erase (the window's, the tray's, the viewer's, Vandrel.exe Erase and
// the log-on erase) and the walks of the preview and the report let the
// waiting messages run at every this many entries: under Wine each look at
// the queue is a trip to the server and costs more than the delete.
inline constexpr std::size_t kPumpEvery = 16;

// One look at the queue: the waiting messages run, and the work ends
// (ProgramEnding) once the quit was seen. Handed to an erase unpaced: the
// erase paces it, once.
inline std::function<void()> LetMessagesRun(WaitLoop& waitLoop) {
  return [&waitLoop] {
    waitLoop.DispatchPendingMessages();
    waitLoop.StopIfQuitting();
  };
}

// The pump at the first call and at every kPumpEvery-th after it; nothing
// where there is no pump.
inline std::function<void()> Paced(std::function<void()> pump) {
  if (!pump) return {};
  return [pump = std::move(pump), calls = std::size_t{0}]() mutable {
    if (calls++ % kPumpEvery == 0) pump();
  };
}

}  // namespace vandrel
