#include "help/win32/FormDialog.h"

#include <algorithm>
#include <cstring>

#include "ui/win32/DeviceContext.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/WorkArea.h"

namespace vandrel {

INT_PTR FormDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // A dialog made hidden is laid out when first shown, and not focused
      // before: focusing it would make it the active window while unseen.
      if (LivesHidden()) return FALSE;
      Start();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          StaticColours(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), reinterpret_cast<HDC>(wParam)));
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        End(IDOK);
        return TRUE;
      }
      return Command(LOWORD(wParam), HIWORD(wParam));
    default: return FALSE;
  }
}

SIZE FormDialog::PlaceWindow(int clientWidth, int clientHeight, HWND centreOn) const {
  const DpiScale& scale = DpiScale::Screen();
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE), exStyle = GetWindowLongA(Handle(), GWL_EXSTYLE);
  RECT frame{0, 0, scale(clientWidth), scale(clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (centreOn) GetWindowRect(centreOn, &area);
  const RECT held = HeldOnWorkArea(frame.right - frame.left, frame.bottom - frame.top, area);
  SetWindowPos(Handle(), nullptr, held.left, held.top, held.right - held.left, held.bottom - held.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const SIZE room = DesignedRoom(style, exStyle);
  return {std::min<LONG>(clientWidth, room.cx), std::min<LONG>(clientHeight, room.cy)};
}

HWND FormDialog::PlaceControl(int id, int left, int top, int width, int height, const char* text) const {
  const HWND control = GetDlgItem(Handle(), id);
  const Place place = DpiScale::Screen()(Place{left, top, width, height});
  MoveWindow(control, place.left, place.top, place.width, place.height, FALSE);
  if (text) SetWindowTextA(control, text);
  return control;
}

UniqueGdiObject FormDialog::DerivedFont(bool bold, bool italic, bool underline, const char* face, int height) const {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)), sizeof(font), &font);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic;
  font.lfUnderline = underline;
  if (face) lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  if (height) font.lfHeight = DpiScale::Screen()(height);
  return UniqueGdiObject(CreateFontIndirectA(&font));
}

int FormDialog::TextWidth(const std::string& text, HFONT font) const {
  const WindowDc dc(Handle());
  const SelectedObject selected(dc.Get(), font);
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return DpiScale::Screen().Designed(size.cx);
}

}  // namespace vandrel
