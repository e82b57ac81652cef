#include "monitor/EventTicks.h"

#include <algorithm>
#include <utility>

#include "platform/ScopeExit.h"

namespace vandrel {

EventTicks::EventTicks(WindowEvents& events, Desktop& desktop, Timer& wakeUp, Timer& watch, std::function<void()> tick)
    : events_(events), desktop_(desktop), wakeUp_(wakeUp), watch_(watch), tick_(std::move(tick)) {
  wakeUp_.OnTimer = [this] { WokenUp(); };
  watch_.OnTimer = [this] { LookAtWatched(); };
  watched_.reserve(kWatchedAtMost);
}

EventTicks::~EventTicks() { events_.StopListening(); }

void EventTicks::SetListening(bool on) {
  if (on) {
    // A refusal leaves the scan timer's ticks, as before events were heard.
    events_.Listen([this](WindowHandle window) { Heard(window); });
    return;
  }
  events_.StopListening();
  wakeUp_.SetEnabled(false);
  watch_.SetEnabled(false);
  phase_ = Phase::Idle;
  heardWhileResting_ = false;
  watched_.clear();
}

void EventTicks::Heard(WindowHandle window) {
  if (window) Watch(window, desktop_.IsVisible(window));
  TickSoon();
}

void EventTicks::TickSoon() {
  switch (phase_) {
    case Phase::Idle:
    case Phase::Late:
      // Under Wine the creation is all that is announced; a window shown by
      // the time its event is handled goes 10 ms sooner.
      phase_ = Phase::Prompt;
      wakeUp_.FireAtOnce();
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

void EventTicks::Watch(WindowHandle window, bool visible) {
  const auto known =
      std::find_if(watched_.begin(), watched_.end(), [&](const Watched& w) { return w.window == window; });
  // A window heard of as shown needs no watching: its event wakes the tick.
  if (visible) {
    if (known != watched_.end()) watched_.erase(known);
    return;
  }
  if (known != watched_.end()) {
    known->looksLeft = kWatch / kSettle;
    return;
  }
  if (watched_.size() == kWatchedAtMost) watched_.erase(watched_.begin());
  watched_.push_back({window, kWatch / kSettle});
  if (!watch_.Enabled()) {
    watch_.SetInterval(kSettle);
    watch_.SetEnabled(true);
  }
}

void EventTicks::LookAtWatched() {
  bool shown = false;
  std::erase_if(watched_, [&](Watched& w) {
    if (desktop_.IsVisible(w.window)) {
      shown = true;
      return true;
    }
    return --w.looksLeft <= 0;
  });
  if (watched_.empty()) watch_.SetEnabled(false);
  if (!shown) return;
  switch (phase_) {
    case Phase::Prompt:
    case Phase::Settling: break;  // its tick is on the way
    case Phase::Resting:
      // A tick now, and the settled one after the rest as for any event
      // heard then.
      heardWhileResting_ = true;
      tick_();
      break;
    case Phase::Idle:
    case Phase::Late: TickSoon(); break;
  }
}

}  // namespace vandrel
