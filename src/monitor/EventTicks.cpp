#include "monitor/EventTicks.h"

#include <utility>

#include "platform/ScopeExit.h"

namespace vandrel {

EventTicks::EventTicks(WindowEvents& events, Timer& wakeUp, std::function<void()> tick)
    : events_(events), wakeUp_(wakeUp), tick_(std::move(tick)) {
  wakeUp_.OnTimer = [this] { WokenUp(); };
}

EventTicks::~EventTicks() { events_.StopListening(); }

void EventTicks::SetListening(bool on) {
  if (on) {
    // A refusal leaves the scan timer's ticks, as before events were heard.
    events_.Listen([this] { Heard(); });
    return;
  }
  events_.StopListening();
  wakeUp_.SetEnabled(false);
  phase_ = Phase::Idle;
  heardWhileResting_ = false;
}

void EventTicks::Heard() {
  switch (phase_) {
    case Phase::Idle:
    case Phase::Late:
      // Under Wine the creation is all that is announced; a window shown by
      // the time its event is handled goes 10 ms sooner.
      phase_ = Phase::Prompt;
      WakeUpIn(Timer::kAtOnce);
      break;
    case Phase::Prompt:
    case Phase::Settling: break;  // its tick is on the way
    case Phase::Resting: heardWhileResting_ = true; break;
  }
}

void EventTicks::WokenUp() {
  wakeUp_.SetEnabled(false);
  switch (phase_) {
    case Phase::Idle: break;
    case Phase::Prompt: {
      phase_ = Phase::Settling;
      const ScopeExit settleAfterTick([this] { WakeUpIn(kSettle); });
      tick_();
      break;
    }
    case Phase::Settling: {
      phase_ = Phase::Resting;
      heardWhileResting_ = false;
      // The rest is timed from the tick's end, so ticks take at most a share
      // of the time; it comes also after a tick that failed, so later events
      // still wake ticks.
      const ScopeExit restAfterTick([this] { WakeUpIn(kRest); });
      tick_();
      break;
    }
    case Phase::Resting:
      phase_ = heardWhileResting_ ? Phase::Settling : Phase::Late;
      heardWhileResting_ = false;
      WakeUpIn(phase_ == Phase::Settling ? kSettle : kLate);
      break;
    case Phase::Late:
      phase_ = Phase::Idle;
      tick_();
      break;
  }
}

void EventTicks::WakeUpIn(int milliseconds) {
  wakeUp_.SetInterval(milliseconds);
  wakeUp_.SetEnabled(true);
}

}  // namespace vandrel
