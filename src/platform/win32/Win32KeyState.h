#pragma once
#include "platform/KeyState.h"

namespace vandrel {

// The keys' state as the system has it now, not as the program's own
// message queue has seen it: the user holds the key in another program.
class Win32KeyState : public KeyState {
 public:
  bool ControlDown() override;
};

}  // namespace vandrel
