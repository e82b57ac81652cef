#include "ui/win32/HintWindow.h"

#include <commctrl.h>

namespace vandrel {

void HintWindow::Create(HWND form) {
  tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form, GWLP_HINSTANCE)), nullptr));
  // Long hints wrap instead of running off the screen.
  if (tooltip_) SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 300);
}

void HintWindow::Add(HWND control, const std::string& hint) {
  if (!tooltip_ || !control || hint.empty()) return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(hint.c_str());  // the tooltip keeps a copy
  SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace vandrel
