#pragma once
#include "eraser/EraseGuard.h"

namespace vandrel {

// The session's erase lock as another process holds it or not: a running
// Vandrel's erase, or a Vandrel.exe Erase started by a script.
struct OtherProcessLock : CrossProcessLock {
  bool held = false;
  bool unavailable = false;  // it cannot be made or opened
  LockTake TryTake() override {
    return unavailable ? LockTake::Unavailable : held ? LockTake::HeldElsewhere : LockTake::Taken;
  }
  void Release() override {}
};

}  // namespace vandrel
