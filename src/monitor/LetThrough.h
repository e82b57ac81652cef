#pragma once
#include <vector>

#include "platform/Desktop.h"
#include "platform/KeyState.h"

namespace vandrel {

// Holding Ctrl lets a window through: while the key is down, the scan closes
// no window that it sees for the first time, and a window let through is
// spared by every pass for as long as it stays open. Windows seen before
// are closed as ever. The key is read once a tick.
class LetThrough {
 public:
  explicit LetThrough(KeyState& keys) : keys_(keys) {}

  // The start of a tick: reads the key; `visible` are the windows the tick
  // sees. A window let through that is no longer visible is forgotten.
  void TickStarted(const std::vector<WindowHandle>& visible);
  // False for a window let through, and for one first seen in this tick
  // while the key is down, which is let through from now on.
  bool MayClose(WindowHandle window);
  // Blocking was switched off: every window counts as new again.
  void Forget();

  bool ControlDown() const { return controlDown_; }

 private:
  KeyState& keys_;
  bool controlDown_ = false;
  // All sorted by handle; storage reused from tick to tick.
  std::vector<WindowHandle> seenBefore_;  // visible at the tick before
  std::vector<WindowHandle> seenNow_;     // visible at this tick
  std::vector<WindowHandle> letThrough_;
};

}  // namespace vandrel
