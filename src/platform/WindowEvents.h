#pragma once
#include <functional>

#include "platform/Desktop.h"

namespace vandrel {

// Tells when another program creates, shows or renames a top-level window.
// The notice names the window and nothing more: the scan reads the desktop
// itself.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // Starts listening, or goes on listening with the new handler; it runs on
  // the calling thread, from its message loop. False when the system refuses:
  // nothing is heard then.
  virtual bool Listen(std::function<void(WindowHandle window)> onEvent) = 0;
  virtual void StopListening() = 0;
};

}  // namespace vandrel
