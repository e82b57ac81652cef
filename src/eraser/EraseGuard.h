#pragma once
#include <functional>
#include <string>

#include "platform/ScopeExit.h"

namespace vandrel {

inline constexpr const char* kEraseAlreadyRunning = "An erase is already running.";

// One erase at a time across the main window, the tray and the viewer: the
// windows keep working while an erase runs, so another could be started
// from any of them, and it would meet folders and index files half erased.
class EraseGuard {
 public:
  bool Running() const { return running_; }
  // Held until the returned guard ends, also when an error leaves early.
  [[nodiscard]] auto Hold() { return FlagFor(running_, true); }
  // The main window's first status panel: a refused erase and what an
  // erase left to the eraser's own walk are told there.
  std::function<void(const std::string&)> statusText;
  void Tell(const std::string& text) const {
    if (statusText) statusText(text);
  }

 private:
  bool running_ = false;
};

}  // namespace vandrel
