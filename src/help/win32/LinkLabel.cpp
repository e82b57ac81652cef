#include "help/win32/LinkLabel.h"

namespace vandrel {

LinkLabel::LinkLabel(HWND label, HFONT plain, HFONT underlined)
    : label_(label), plain_(plain), underlined_(underlined) {
  SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(plain_), FALSE);
  SetWindowLongPtrA(label_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(label_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkLabel::Procedure)));
}

LinkLabel::~LinkLabel() {
  if (!IsWindow(label_)) return;
  SetWindowLongPtrA(label_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrA(label_, GWLP_USERDATA, 0);
}

void LinkLabel::SetHovered(bool hovered) {
  if (hovered == hovered_) return;
  hovered_ = hovered;
  SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(hovered ? underlined_ : plain_), TRUE);
}

LRESULT CALLBACK LinkLabel::Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<LinkLabel*>(GetWindowLongPtrA(label, GWLP_USERDATA));
  switch (message) {
    case WM_SETCURSOR: SetCursor(LoadCursorA(nullptr, IDC_HAND)); return TRUE;
    case WM_MOUSEMOVE:
      if (!self->hovered_) {
        // Asked again at every entry: the leave notice comes once.
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, label, 0};
        TrackMouseEvent(&track);
      }
      self->SetHovered(true);
      break;
    case WM_MOUSELEAVE: self->SetHovered(false); break;
    default: break;
  }
  return CallWindowProcA(self->original_, label, message, wParam, lParam);
}

}  // namespace vandrel
