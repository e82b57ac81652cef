#pragma once
#include <windows.h>

namespace vandrel {

// Called before a modeless or owned window hides: when it holds the
// activation, its owner gets it, as after a modal dialog. Hidden without
// it, the window would hand the activation to the next window in the
// z-order (another program's, or none), and the owner's Alt shortcuts
// would stay dead until it was clicked. An owner that is hidden (in the
// tray) or disabled is left alone.
void HandActivationToOwner(HWND window);

}  // namespace vandrel
