#pragma once
#include <windows.h>

#include <string>

#include "eraser/EraseGuard.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// The user's erase lock: a named mutex that a running Vandrel and a
// Vandrel.exe Erase take in turn. It is one per user, not per session: a
// scheduled task runs the command in a session of its own on the same
// profile. Its name holds the user's SID in the global namespace, and its
// DACL lets that user open it whatever the process's elevation. A process
// that ends holding it (killed, the session ending) leaves it abandoned,
// which the next one takes. A lock that cannot be had refuses every erase.
class NamedEraseLock : public CrossProcessLock {
 public:
  LockTake TryTake() override;
  void Release() override;

 private:
  UniqueHandle mutex_;  // made or opened at the first take that can
};

// "Global\Korvane.Vandrel.Erase.<the user's SID>"; empty when the SID cannot be read.
std::string EraseLockName();

}  // namespace vandrel
