#pragma once
#include "eraser/EraseGuard.h"

namespace vandrel {

// The session's erase lock as another process holds it or not: a running
// Vandrel's erase, or a Vandrel.exe Erase started by a script.
struct OtherProcessLock : CrossProcessLock {
  bool held = false;
  bool TryTake() override { return !held; }
  void Release() override {}
};

}  // namespace vandrel
