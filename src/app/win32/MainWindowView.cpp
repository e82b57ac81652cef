#include "app/win32/MainWindowView.h"

#include "app/ProgramEntry.h"
#include "resources/resource.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 800;
constexpr int kClientHeight = 73;
constexpr int kStatusBarId = 100;

SIZE OuterSizeFor(int clientWidth, int clientHeight) {
  RECT rect{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

MainWindowView::MainWindowView(TZAVOClass& form, Prompts& prompts, bool minimizeArgument)
    : form_(form), minimizeArgument_(minimizeArgument) {
  SetErrorReporter(ReportThrough(prompts));
}

void MainWindowView::Create(HINSTANCE instance) {
  const SIZE outer = OuterSizeFor(kClientWidth, kClientHeight);
  WindowClass windowClass;
  windowClass.instance = instance;
  windowClass.name = kMainWindowClass;
  windowClass.icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
  WindowPlacement placement;
  placement.style = kStyle;
  placement.width = outer.cx;
  placement.height = outer.cy;
  placement.left = (GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2;
  placement.top = (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2;
  Window::Create(windowClass, placement);
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  shown_ = true;
}

LRESULT MainWindowView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_USER:
      form_.ShowOnRequest();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam && sessionEnd_) sessionEnd_();
      return 0;
    case WM_DESTROY:
      binder_.Unbind();
      PostQuitMessage(0);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void MainWindowView::OnCreate() {
  form_.Form.redraw = [this] { DrawForm(); };
  form_.Form.activate = [this] {
    ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
  };
  binder_.Bind(Handle(), {
                             {form_.StatusBar1, ControlRef(kStatusBarId, Place{0, 0, 0, 0})},
                             {form_.Timer1},
                             {form_.Timer2},
                         });
  form_.FormCreate(OuterSizeFor(kClientWidth, kClientHeight).cx, minimizeArgument_);
}

void MainWindowView::DrawForm() {
  SetWindowTextA(Handle(), form_.Form.Caption().c_str());
  if (const auto width = form_.Form.OuterWidth()) {
    RECT rect;
    GetWindowRect(Handle(), &rect);
    if (rect.right - rect.left != *width) {
      SetWindowPos(Handle(), nullptr, 0, 0, *width, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // Until Create() has shown the window, visibility is not the model's to change.
  if (!shown_) return;
  const bool visible = IsWindowVisible(Handle()) != FALSE;
  if (visible != form_.Form.Visible()) ShowWindow(Handle(), form_.Form.Visible() ? SW_SHOW : SW_HIDE);
}

}  // namespace vandrel
