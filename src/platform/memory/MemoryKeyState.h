#pragma once
#include "platform/KeyState.h"

namespace vandrel {

// A keyboard whose keys a test holds down and lets go.
class MemoryKeyState : public KeyState {
 public:
  bool ControlDown() override { return controlDown; }
  bool controlDown = false;
};

}  // namespace vandrel
