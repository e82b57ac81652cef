#pragma once
#include <string>

#include "app/CloseNotice.h"
#include "eraser/UnattendedErase.h"
#include "platform/Registry.h"

namespace vandrel {

inline constexpr const char* kLogOnEraseCaption = "Erase at log-on";
inline constexpr const char* kLogOnEraseSetting = "EraseAtLogOn";
inline constexpr const char* kLogOnEraseTitle = "Erased at log-on";

// The option that makes the log-on start (the Run value's Minimize) erase
// the chosen steps before the scan begins. Off by default; stored with the
// other settings (the options dialog writes its own values only).
class LogOnEraseOption {
 public:
  // A stored value of the wrong type reads as off.
  explicit LogOnEraseOption(Registry& registry);
  bool On() const { return on_; }
  // Turned over and stored at once; a refused write throws and changes nothing.
  void Toggle();

 private:
  Registry& registry_;
  bool on_ = false;
};

// The notice's balloon after the log-on erase: "Erased at log-on: 1,204
// files", what stayed, or why it did not start.
Balloon LogOnEraseBalloon(const UnattendedOutcome& outcome);

}  // namespace vandrel
