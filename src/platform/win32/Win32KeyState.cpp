#include "platform/win32/Win32KeyState.h"

#include <windows.h>

namespace vandrel {

// The high bit: the key is down at the moment of the call.
bool Win32KeyState::ControlDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace vandrel
