#include "ui/win32/PageWindow.h"

namespace vandrel {

void PageWindow::Create(HINSTANCE instance, HWND form, const RECT& area) {
  WindowPlacement placement;
  placement.style = WS_CHILD | WS_CLIPSIBLINGS;  // hidden until its tab is chosen
  placement.exStyle = WS_EX_CONTROLPARENT;
  placement.parent = form;
  placement.left = area.left;
  placement.top = area.top;
  placement.width = area.right - area.left;
  placement.height = area.bottom - area.top;
  Window::Create({instance, "VandrelPage"}, placement);
}

LRESULT PageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_DRAWITEM: return SendMessageA(GetParent(Handle()), message, wParam, lParam);
    default: return Default(message, wParam, lParam);
  }
}

}  // namespace vandrel
