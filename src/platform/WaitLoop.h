#pragma once
#include <cstdint>
#include <exception>

namespace vandrel {

// Thrown at a safe point of a long piece of work (between two status polls
// of a service wait, between two entries an erase removes) once the quit
// message has been met: the rest of the work is skipped and the quit, still
// posted, ends the main loop, which saves the block list as at every exit.
// Whoever starts such work catches it, silently: it is no failure.
class ProgramEnding : public std::exception {
 public:
  const char* what() const noexcept override { return "The program is ending."; }
};

// What a wait on the GUI thread needs: a way to let the window messages that
// are waiting run (timers, clicks), and a millisecond tick count that wraps
// around after 2^32 ms, so elapsed times are unsigned differences.
class WaitLoop {
 public:
  virtual ~WaitLoop() = default;
  // A quit message met here is posted again for the main loop and
  // remembered (QuitSeen).
  virtual void DispatchPendingMessages() = 0;
  // Rests until a message arrives or `milliseconds` pass, then dispatches
  // what is waiting: a poll that neither burns the processor nor stalls the
  // window, also once a quit is waiting.
  virtual void RestThenDispatch(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t TickCount() = 0;
  // True once a dispatch has met the quit message: the program is ending.
  virtual bool QuitSeen() const = 0;

  // A safe point of a long piece of work: throws ProgramEnding once the quit was seen.
  void StopIfQuitting() const {
    if (QuitSeen()) throw ProgramEnding();
  }
};

}  // namespace vandrel
