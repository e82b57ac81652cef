#pragma once
#include <windows.h>

#include "eraser/EraseGuard.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// The erase lock of the session: a named mutex that a running Vandrel and a
// Vandrel.exe Erase take in turn. A process that ends holding it (killed,
// the session ending) leaves it abandoned, which the next one takes.
class NamedEraseLock : public CrossProcessLock {
 public:
  NamedEraseLock() : mutex_(CreateMutexA(nullptr, FALSE, "Local\\Korvane.Vandrel.Erase")) {}

  bool TryTake() override {
    // Without a mutex there is nothing to share: the erase runs as before.
    if (!mutex_) return true;
    const DWORD taken = WaitForSingleObject(mutex_.get(), 0);
    return taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED;
  }
  void Release() override {
    if (mutex_) ReleaseMutex(mutex_.get());
  }

 private:
  UniqueHandle mutex_;
};

}  // namespace vandrel
