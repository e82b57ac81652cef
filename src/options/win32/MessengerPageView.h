#pragma once
#include <windows.h>

#include <array>

#include "options/MessengerPage.h"
#include "platform/win32/Handles.h"
#include "ui/win32/Binder.h"
#include "ui/win32/ErrorBarrier.h"

namespace vandrel {

// The "Messen&ger" page's controls inside the options dialog's page window:
// the frame, the state picture with Stop and Start, the start type with
// Apply, and the signboard picture that any mouse button presses. The form's
// binder routes their notifications and runs the refresh timer.
class MessengerPageView {
 public:
  MessengerPageView(MessengerPage& page, ErrorReporter report) : page_(page), report_(std::move(report)) {}
  ~MessengerPageView();
  MessengerPageView(const MessengerPageView&) = delete;
  MessengerPageView& operator=(const MessengerPageView&) = delete;

  // Makes the controls in `pageWindow` and binds them through `binder` of `form`.
  void Create(HINSTANCE instance, HWND form, HWND pageWindow, Binder& binder);
  // Puts up the hourglass or takes it down, as the page says.
  void ShowCursor() const;
  // WM_SETCURSOR of the form: true when the page's hourglass is shown.
  bool SetCursorForForm() const;

 private:
  void DrawPicture();
  static LRESULT CALLBACK SignboardHook(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);

  MessengerPage& page_;
  ErrorReporter report_;
  std::array<UniqueIcon, 5> pictures_;  // by MessengerPicture
  UniqueGdiObject signboard_;
  HWND picture_ = nullptr;
  HWND signboardWindow_ = nullptr;
};

}  // namespace vandrel
