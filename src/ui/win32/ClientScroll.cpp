#include "ui/win32/ClientScroll.h"

#include <commctrl.h>

#include <optional>

#include "platform/win32/Handles.h"
#include "ui/win32/DpiScale.h"

namespace vandrel {
namespace {

constexpr UINT_PTR kFocusWatchId = 0x5C01;
constexpr int kDesignedLine = 20;  // about a control's height and its gap

std::optional<ScrollRequest> RequestOf(WORD code) {
  switch (code) {
    case SB_LINEUP: return ScrollRequest::LineUp;
    case SB_LINEDOWN: return ScrollRequest::LineDown;
    case SB_PAGEUP: return ScrollRequest::PageUp;
    case SB_PAGEDOWN: return ScrollRequest::PageDown;
    case SB_TOP: return ScrollRequest::Top;
    case SB_BOTTOM: return ScrollRequest::Bottom;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollRequest::Thumb;
    default: return std::nullopt;  // SB_ENDSCROLL
  }
}

BOOL CALLBACK Collect(HWND control, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(control);
  return TRUE;
}

}  // namespace

void ClientScroll::Attach(HWND window, int contentHeight) {
  Detach();
  window_ = window;
  RECT client{};
  GetClientRect(window, &client);
  span_ = ScrollSpan(contentHeight, client.bottom, DpiScale::Screen()(kDesignedLine));
  SCROLLINFO info{
      sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, span_.Content() - 1, static_cast<UINT>(span_.View()), 0, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);  // a page that holds the range hides the bar
  if (span_.Last() == 0) return;
  std::vector<HWND> controls;
  EnumChildWindows(window, &Collect, reinterpret_cast<LPARAM>(&controls));
  for (const HWND control : controls) {
    if (SetWindowSubclass(control, &FocusWatch, kFocusWatchId, reinterpret_cast<DWORD_PTR>(this))) {
      watched_.push_back(control);
    }
  }
}

void ClientScroll::Detach() {
  for (const HWND control : watched_) RemoveWindowSubclass(control, &FocusWatch, kFocusWatchId);
  watched_.clear();
  window_ = nullptr;
}

int ClientScroll::DesignedBarWidth() { return DpiScale::Screen().Designed(GetSystemMetrics(SM_CXVSCROLL)); }

bool ClientScroll::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!window_ || span_.Last() == 0) return false;
  if (message == WM_VSCROLL && lParam == 0) {
    if (const auto request = RequestOf(LOWORD(wParam))) {
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(window_, SB_VERT, &info);  // the 32-bit position: the message's is 16 bits
      MoveTo(span_.Target(*request, info.nTrackPos));
    }
    result = 0;
    return true;
  }
  if (message == WM_MOUSEWHEEL) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = wheelRest_ / WHEEL_DELTA;
    wheelRest_ -= notches * WHEEL_DELTA;
    // WHEEL_PAGESCROLL asks for a page a notch.
    MoveTo(lines == WHEEL_PAGESCROLL ? span_.Target(notches > 0 ? ScrollRequest::PageUp : ScrollRequest::PageDown)
                                     : span_.Lines(-notches * static_cast<int>(lines)));
    result = 0;
    return true;
  }
  return false;
}

void ClientScroll::MoveTo(int position) {
  const int moved = span_.MoveTo(position);
  if (moved == 0) return;
  const UniqueGdiObject uncovered(CreateRectRgn(0, 0, 0, 0));
  const auto region = static_cast<HRGN>(uncovered.get());
  ScrollWindowEx(window_, 0, -moved, nullptr, nullptr, region, nullptr, SW_SCROLLCHILDREN);
  // What the children show in the uncovered part is theirs to draw again, not only the window's.
  RedrawWindow(window_, nullptr, region, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  SetScrollPos(window_, SB_VERT, span_.Position(), TRUE);
}

void ClientScroll::Reveal(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
  MoveTo(span_.Revealing(span_.Position() + place.top, span_.Position() + place.bottom));
}

LRESULT CALLBACK ClientScroll::FocusWatch(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  if (message == WM_SETFOCUS) reinterpret_cast<ClientScroll*>(self)->Reveal(control);
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace vandrel
