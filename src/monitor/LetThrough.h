#pragma once
#include <vector>

#include "monitor/DesktopSnapshot.h"
#include "monitor/InputLetThrough.h"
#include "platform/Desktop.h"
#include "platform/KeyState.h"

namespace vandrel {

// Holding Ctrl lets a window through: while the key is down, the scan closes
// no window that it sees for the first time, and a window let through is
// spared by every pass for as long as it stays open. Windows seen before
// are closed as ever. The key is read once a tick.
//
// A browser frame that a click or key press opened (InputLetThrough) is
// spared by the class and the limit pass for as long as it stays open; the
// block list, the user's own rule, still closes it.
class LetThrough {
 public:
  explicit LetThrough(KeyState& keys) : keys_(keys) {}

  // The inputs that open windows; they must stay while the scan ticks.
  void UseInputs(InputLetThrough& inputs) { inputs_ = &inputs; }
  // Before the tick's look at the desktop: input is heard while `watch` holds.
  void BeforeLook(bool watch);
  // The start of a tick: reads the key; `snapshot` holds the windows the
  // tick sees. A window let through that is no longer visible is forgotten.
  // With `inputsOpen`, the new frames an input opened are let through.
  void TickStarted(const DesktopSnapshot& snapshot, bool inputsOpen);
  // False for a window let through, and for one first seen in this tick
  // while the key is down, which is let through from now on.
  bool MayClose(WindowHandle window);
  // The same for the block list, which closes the frames the user opened too.
  bool MayCloseListed(WindowHandle window);
  // A new frame an input opened: the limit does not count it as a newcomer.
  bool OpenedByUser(WindowHandle window) const;
  // Blocking was switched off: every window counts as new again, and no
  // input is heard.
  void Forget();

  bool ControlDown() const { return controlDown_; }

 private:
  KeyState& keys_;
  InputLetThrough* inputs_ = nullptr;
  bool controlDown_ = false;
  // All sorted by handle; storage reused from tick to tick.
  std::vector<WindowHandle> seenBefore_;  // visible at the tick before
  std::vector<WindowHandle> seenNow_;     // visible at this tick
  std::vector<WindowHandle> letThrough_;
  std::vector<WindowHandle> openedByUser_;
};

}  // namespace vandrel
