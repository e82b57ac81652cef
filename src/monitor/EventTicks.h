#pragma once
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/Desktop.h"
#include "platform/WindowEvents.h"
#include "ui/Controls.h"

namespace vandrel {

// Runs the scan's tick soon after another program creates, shows or renames
// a top-level window, so that a pop-up goes before the scan timer's next
// tick. Events coalesce: the first after a quiet spell wakes a tick at once
// and one more a settling moment later (the window is shown and titled by
// then, mostly); events during the rest after an event tick wake one more
// once the rest is over; when the events stop, one late tick catches titles
// set late. So an event storm brings at most two ticks per rest and settling
// moment, never a busy loop. The scan timer ticks on beside it, for whatever
// the events miss.
//
// A window still hidden when its event is heard is watched for a while: Wine
// announces a window's creation only, and a window shown after both event
// ticks would otherwise wait for the late tick. When a watched window is
// shown, a tick runs at the next look (never more than one a look), even
// during the rest.
class EventTicks {
 public:
  // Milliseconds.
  static constexpr int kSettle = 10;                 // from a tick to the settled one: the least a Windows timer waits
  static constexpr int kRest = 40;                   // from the end of an event tick to the next one's settling
  static constexpr int kLate = 200;                  // from the end of the rest to the late tick
  static constexpr int kWatch = 500;                 // how long a hidden window is watched, looking every kSettle
  static constexpr std::size_t kWatchedAtMost = 16;  // the latest hidden windows heard of

  // `wakeUp` is a one-shot timer of the model's own, `watch` a repeating one
  // at kSettle; `tick` runs the scan's tick (which skips a tick inside a tick).
  EventTicks(WindowEvents& events, Desktop& desktop, Timer& wakeUp, Timer& watch, std::function<void()> tick);
  ~EventTicks();
  EventTicks(const EventTicks&) = delete;
  EventTicks& operator=(const EventTicks&) = delete;

  // Listens while blocking is on; switching off forgets the events heard.
  void SetListening(bool on);

 private:
  enum class Phase { Idle, Prompt, Settling, Resting, Late };
  struct Watched {
    WindowHandle window;
    int looksLeft;
  };
  void Heard(WindowHandle window);
  void TickSoon();
  void WokenUp();
  void WakeUpIn(int milliseconds);
  void Watch(WindowHandle window, bool visible);
  void LookAtWatched();

  WindowEvents& events_;
  Desktop& desktop_;
  Timer& wakeUp_;
  Timer& watch_;
  std::function<void()> tick_;
  Phase phase_ = Phase::Idle;
  bool heardWhileResting_ = false;
  std::vector<Watched> watched_;  // oldest first
};

}  // namespace vandrel
