#pragma once
#include <windows.h>

#include <vector>

#include "ui/FitLayout.h"

namespace vandrel {

// The vertical scroll of a window's client area over content taller than
// the work area lets the window be: a scroll bar, the wheel, and a control
// that takes the focus (Tab, a mnemonic, a click) scrolled into view. Its
// controls move with the content.
class ClientScroll {
 public:
  ClientScroll() = default;
  ~ClientScroll() { Detach(); }
  ClientScroll(const ClientScroll&) = delete;
  ClientScroll& operator=(const ClientScroll&) = delete;

  // Scrolls `window` over content `contentHeight` screen pixels high, with
  // the controls it has now; no bar when the client area holds it all.
  void Attach(HWND window, int contentHeight);
  void Detach();
  // The bar's width in designed pixels, rounded up: what it takes from the content.
  static int DesignedBarWidth();
  // WM_VSCROLL of the window's own bar and WM_MOUSEWHEEL; true when handled.
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  void MoveTo(int position);
  void Reveal(HWND control);
  static LRESULT CALLBACK FocusWatch(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);

  HWND window_ = nullptr;
  std::vector<HWND> watched_;
  ScrollSpan span_;
  int wheelRest_ = 0;  // a fine wheel's turns, until they make a notch
};

}  // namespace vandrel
