#pragma once
#include <string_view>
#include <vector>

#include "platform/Desktop.h"

namespace vandrel {

// Told of the counted closes of a tick (limit and block-list passes).
class ClosedWindowReport {
 public:
  virtual ~ClosedWindowReport() = default;
  // The scan is about to post the close. `title` is the one the pass judged:
  // a close posted at an earlier tick may have ended the window meanwhile.
  // `blockListEntry` is the entry that matched, empty for the window limit.
  // Runs inside the pass: it must not hand control to the message loop.
  virtual void Closing(WindowHandle window, std::string_view title, std::string_view blockListEntry) = 0;
  // The tick's passes are over; the scan's own state is no longer in use.
  // `open` are the windows of the tick: a window not among them is gone.
  virtual void TickEnded(const std::vector<WindowHandle>& open) = 0;
};

}  // namespace vandrel
