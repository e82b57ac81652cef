#include "ui/win32/OwnerActivation.h"

namespace vandrel {

void HandActivationToOwner(HWND window) {
  const HWND owner = GetWindow(window, GW_OWNER);
  if (!owner || GetActiveWindow() != window) return;
  if (!IsWindowVisible(owner) || !IsWindowEnabled(owner)) return;
  SetForegroundWindow(owner);
}

}  // namespace vandrel
