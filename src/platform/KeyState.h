#pragma once

namespace vandrel {

// The keyboard as it is at the moment of the call, whichever window has the
// focus.
class KeyState {
 public:
  virtual ~KeyState() = default;
  virtual bool ControlDown() = 0;
};

}  // namespace vandrel
