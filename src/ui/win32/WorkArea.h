#pragma once
#include <windows.h>

namespace vandrel {

// The part of the screen that windows may take: all of it but the taskbar.
RECT WorkArea();

// The most client area, in designed pixels, that a window of this style
// has within the work area.
SIZE DesignedRoom(DWORD style, DWORD exStyle);

// Where a window `width` x `height` (screen pixels) goes: centred on
// `centreOn`, no larger than the work area and wholly inside it.
RECT HeldOnWorkArea(int width, int height, const RECT& centreOn);

}  // namespace vandrel
