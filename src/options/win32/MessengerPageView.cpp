#include "options/win32/MessengerPageView.h"

#include <commctrl.h>

#include "resources/options/options_ids.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DpiScale.h"

namespace vandrel {
namespace {

constexpr int kPictureSize = 32;
constexpr UINT_PTR kSignboardHook = 1;
enum ControlId : int {
  kFrameId = 1000,
  kStateId,
  kPictureId,
  kStopId,
  kStartId,
  kStartupId,
  kTypeId,
  kApplyId,
  kSignboardId
};

// SS_NOTIFY: a plain picture lets the mouse through to the page.
constexpr ControlKind kSignboard{"STATIC", SS_BITMAP | SS_NOTIFY};

}  // namespace

MessengerPageView::~MessengerPageView() {
  page_.Image1.redraw = nullptr;
  page_.cursorChanged = nullptr;
  if (signboardWindow_ && IsWindow(signboardWindow_)) {
    RemoveWindowSubclass(signboardWindow_, &MessengerPageView::SignboardHook, kSignboardHook);
  }
  if (picture_ && IsWindow(picture_)) SendMessageA(picture_, STM_SETICON, 0, 0);
}

void MessengerPageView::Create(HINSTANCE instance, HWND form, HWND pageWindow, Binder& binder) {
  constexpr int ids[] = {IDI_MESSENGER_RUNNING, IDI_MESSENGER_PAUSED, IDI_MESSENGER_STOPPED, IDI_MESSENGER_CHANGING,
                         IDI_MESSENGER_UNAVAILABLE};
  const DpiScale& scale = DpiScale::Screen();
  const int pictureSize = scale(kPictureSize);
  for (std::size_t index = 0; index < pictures_.size(); ++index) {
    pictures_[index].reset(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(ids[index]), IMAGE_ICON, pictureSize, pictureSize, LR_DEFAULTCOLOR)));
  }
  signboard_.reset(LoadScaledBitmap(instance, IDB_MESSENGER_SIGNBOARD));

  const SIZE area = DesignedClientSize(pageWindow);
  const auto make = [pageWindow](int id, Place place, const ControlKind& kind) {
    return ResolveControl(pageWindow, ControlRef(id, place), kind);
  };
  const HWND frame = make(kFrameId, {4, 2, area.cx - 8, area.cy - 6}, kGroupBoxKind);
  const HWND state = make(kStateId, {16, 18, 60, 14}, kLabelKind);
  picture_ = make(kPictureId, {16, 34, kPictureSize, kPictureSize}, kIconKind);
  const HWND stop = make(kStopId, {60, 38, 64, 24}, kPushButtonKind);
  const HWND start = make(kStartId, {130, 38, 64, 24}, kPushButtonKind);
  const HWND startup = make(kStartupId, {16, 72, 60, 14}, kLabelKind);
  const HWND type = make(kTypeId, {16, 88, 110, 100}, kDropDownListKind);
  const HWND apply = make(kApplyId, {132, 87, 64, 24}, kPushButtonKind);
  signboardWindow_ = make(kSignboardId, {16, 118, 116, 80}, kSignboard);
  SendMessageA(signboardWindow_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(signboard_.get()));
  SetWindowSubclass(signboardWindow_, &MessengerPageView::SignboardHook, kSignboardHook,
                    reinterpret_cast<DWORD_PTR>(this));

  MessengerPage& p = page_;
  binder.Bind(form, {
                        {p.GroupBox5, ControlRef(frame)},
                        {p.State, ControlRef(state)},
                        {p.StpMess, ControlRef(stop)},
                        {p.StrMess, ControlRef(start)},
                        {p.Startup, ControlRef(startup)},
                        {p.StType, ControlRef(type)},
                        {p.AppMess, ControlRef(apply)},
                        {p.Timer1},
                    });
  p.Image1.redraw = [this] { DrawPicture(); };
  p.cursorChanged = [this] { ShowCursor(); };
  DrawPicture();
}

void MessengerPageView::DrawPicture() {
  const int index = page_.Image1.ImageIndex();
  const HICON icon = index >= 0 && index < static_cast<int>(pictures_.size()) ? pictures_[index].get() : nullptr;
  SendMessageA(picture_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void MessengerPageView::ShowCursor() const { SetCursor(LoadCursor(nullptr, page_.Hourglass() ? IDC_WAIT : IDC_ARROW)); }

bool MessengerPageView::SetCursorForForm() const {
  if (!page_.Hourglass()) return false;
  ShowCursor();
  return true;
}

LRESULT CALLBACK MessengerPageView::SignboardHook(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR self) {
  auto& view = *reinterpret_cast<MessengerPageView*>(self);
  switch (message) {
    case WM_SETCURSOR:
      if (view.page_.Hourglass()) break;  // the form shows the hourglass
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      RunGuarded(control, view.report_, 0, [&view] {
        view.page_.Image2MouseDown();
        return 0;
      });
      return 0;
    default: break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace vandrel
