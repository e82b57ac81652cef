#include "app/win32/MainWindowView.h"

#include <algorithm>

#include "app/ProgramEntry.h"
#include "platform/win32/Win32WaitLoop.h"
#include "resources/resource.h"
#include "ui/win32/DeviceContext.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/WorkArea.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 800;
constexpr int kClientHeight = 73;
constexpr int kStatusBarId = 100;

// The outer size, in screen pixels, of the designed client size.
SIZE OuterSizeFor(int clientWidth, int clientHeight) {
  const DpiScale& scale = DpiScale::Screen();
  RECT rect{0, 0, scale(clientWidth), scale(clientHeight)};
  AdjustWindowRectEx(&rect, kStyle, TRUE, 0);  // with the menu bar
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The window's font: Courier New, 8 points.
UniqueGdiObject CreateWindowFont(HWND window) {
  const WindowDc dc(window);
  const int height = -MulDiv(8, GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
  return UniqueGdiObject(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
}

// Where a context menu opens: the mouse's point, or the window's corner
// when the keyboard asked for it.
POINT MenuPoint(HWND window, LPARAM lParam) {
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {
    at = {0, 0};
    ClientToScreen(window, &at);
  }
  return at;
}

}  // namespace

MainWindowView::MainWindowView(TZAVOClass& form, Prompts& prompts, bool minimizeArgument)
    : form_(form),
      minimizeArgument_(minimizeArgument),
      toolbar_(form.ToolBar1, [&form](const std::string& hint) { form.ShowHint(hint); }),
      menuBar_(form.MainMenu1, [&form](const std::string& hint) { form.ShowHint(hint); }) {
  SetErrorReporter(ReportThrough(prompts));
}

void MainWindowView::Create(HINSTANCE instance) {
  const SIZE outer = OuterSizeFor(kClientWidth, kClientHeight);
  const RECT area = WorkArea();
  const int width = std::min<int>(outer.cx, area.right - area.left);
  instance_ = instance;
  WindowClass windowClass;
  windowClass.instance = instance;
  windowClass.name = kMainWindowClass;
  windowClass.icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
  WindowPlacement placement;
  placement.style = kStyle;
  placement.width = width;
  placement.height = outer.cy;
  placement.left = area.left + (area.right - area.left - width) / 2;
  placement.top = area.top + std::max<int>(0, (area.bottom - area.top - outer.cy) / 2);
  Window::Create(windowClass, placement);
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  shown_ = true;
}

void MainWindowView::SetHourglass(bool busy) {
  hourglass_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

LRESULT MainWindowView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  if (toolbar_.Route(message, wParam, lParam, result)) return result;
  if (menuBar_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: LayOut(); return 0;
    case WM_CLOSE:
      form_.FormCloseQuery();  // refuses: the window only hides or the program exits
      return 0;
    case WM_KEYDOWN:
      // The toolbar and status bar take no focus: the form sees every key first.
      if (form_.FormKeyDown(static_cast<int>(wParam))) return 0;
      return Default(message, wParam, lParam);
    case WM_USER: form_.ShowOnRequest(); return 0;
    case WM_SETCURSOR:
      if (!hourglass_) return Default(message, wParam, lParam);
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    case WM_QUERYENDSESSION: return form_.AnswerEndQuery() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam && sessionEnd_) sessionEnd_();
      return 0;
    case WM_CONTEXTMENU:
      if (contextMenu_) contextMenu_(MenuPoint(Handle(), lParam));
      return 0;
    case WM_DESTROY:
      binder_.Unbind();
      toolbar_.Detach();
      menuBar_.Detach();
      PostQuitMessage(0);
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

void MainWindowView::OnCreate() {
  form_.Form.redraw = [this] { DrawForm(); };
  form_.Form.activate = [this] {
    ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
  };
  form_.fadeOut = [this](const std::vector<int>& opacities) { FadeOut(opacities); };
  form_.endApplication = [] { PostQuitMessage(0); };
  font_ = CreateWindowFont(Handle());
  const auto font = static_cast<HFONT>(font_.get());
  menuBar_.Attach(Handle());
  toolbar_.Create(Handle(), instance_, font);
  binder_.Bind(Handle(), {
                             {form_.StatusBar1, ControlRef(kStatusBarId, Place{0, 0, 0, 0})},
                             {form_.Timer1},
                             {form_.Timer2},
                             {form_.EventTimer},
                             {form_.WatchTimer},
                         });
  // The status bar keeps the system's font, as status bars do: in the
  // window's Courier the closed-windows text would not fit its panel.
  LayOut();
  // The model works in designed pixels, as the form was designed.
  const DpiScale& scale = DpiScale::Screen();
  const RECT area = WorkArea();
  form_.FormCreate(scale.Designed(OuterSizeFor(kClientWidth, kClientHeight).cx), minimizeArgument_,
                   scale.DesignedWithin(area.right - area.left));
}

void MainWindowView::DrawForm() {
  SetWindowTextA(Handle(), form_.Form.Caption().c_str());
  if (const auto designed = form_.Form.OuterWidth()) {
    const int width = DpiScale::Screen()(*designed);
    RECT rect;
    GetWindowRect(Handle(), &rect);
    if (rect.right - rect.left != width) {
      SetWindowPos(Handle(), nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // Until Create() has shown the window, visibility is not the model's to change.
  if (!shown_) return;
  const bool visible = IsWindowVisible(Handle()) != FALSE;
  if (visible != form_.Form.Visible()) ShowWindow(Handle(), form_.Form.Visible() ? SW_SHOW : SW_HIDE);
}

void MainWindowView::LayOut() const {
  if (IsIconic(Handle())) return;  // a minimised window has no client area to fill
  // The toolbar fills what the status bar leaves of the client area. Rows
  // that its buttons wrap into on a narrow window make the window taller by
  // their height, so the status bar moves down below them.
  RECT client, status{};
  GetClientRect(Handle(), &client);
  if (HWND bar = GetDlgItem(Handle(), kStatusBarId)) GetWindowRect(bar, &status);
  const int extraRows = toolbar_.Place(client.right, client.bottom - (status.bottom - status.top));
  const int wanted = DpiScale::Screen()(kClientHeight) + extraRows;
  if (client.bottom == wanted) return;
  RECT outer;
  GetWindowRect(Handle(), &outer);
  SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + wanted - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);  // its WM_SIZE lays out again
}

void MainWindowView::FadeOut(const std::vector<int>& opacities) const {
  SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
  Win32WaitLoop().DispatchPendingMessages();
  for (const int opacity : opacities) {
    SetLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(opacity), LWA_ALPHA);
    Win32WaitLoop().DispatchPendingMessages();
  }
}

}  // namespace vandrel
