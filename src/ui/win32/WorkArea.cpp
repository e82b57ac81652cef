#include "ui/win32/WorkArea.h"

#include "ui/FitLayout.h"
#include "ui/win32/DpiScale.h"

namespace vandrel {
namespace {

Extent ExtentOf(const RECT& rect) {
  return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right - rect.left),
          static_cast<int>(rect.bottom - rect.top)};
}

}  // namespace

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

SIZE DesignedRoom(DWORD style, DWORD exStyle) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const RECT area = WorkArea();
  const DpiScale& scale = DpiScale::Screen();
  return {scale.DesignedWithin((area.right - area.left) - (frame.right - frame.left)),
          scale.DesignedWithin((area.bottom - area.top) - (frame.bottom - frame.top))};
}

RECT HeldOnWorkArea(int width, int height, const RECT& centreOn) {
  const Extent held = HeldWithin(width, height, ExtentOf(centreOn), ExtentOf(WorkArea()));
  return {held.left, held.top, held.left + held.width, held.top + held.height};
}

}  // namespace vandrel
