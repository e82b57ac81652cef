#pragma once
#include <windows.h>

#include <array>

#include "richmedia/TW42VideoBlocker.h"
#include "platform/win32/Handles.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/Window.h"

namespace vandrel {

inline constexpr const char* kRichMediaWindowClass = "TW42VideoBlocker";

// The real rich-media window: a fixed-size form drawn from the form model
// (five switch groups, the global profiles, the monitor picture and two
// buttons), created hidden at start-up and shown on request; its controls
// are made when it is first shown. Its handlers' failures go to the
// program's error box.
class RichMediaView : public Window {
 public:
  RichMediaView(TW42VideoBlocker& form, Prompts& prompts);
  ~RichMediaView() override;

  // Registers the class and creates the hidden window; FormCreate runs
  // inside. The pictures come from `instance`'s resources.
  void Create(HINSTANCE instance, HWND owner = nullptr);

  // Shows the window and returns at once; the caller's message loop serves it.
  void Show();
  // Shows the window over a disabled `owner` (which may be null) and runs
  // this thread's messages, timers included, until the window is hidden
  // again. Enter and Esc reach the "&Close" button here. A quit message
  // ends the loop and is posted again for the caller's loop.
  void ShowModal(HWND owner);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  // The switches, the profiles, the picture and the buttons, before the first show.
  void MakeContents() override;
  void DrawForm();
  void DrawPicture();

  TW42VideoBlocker& form_;
  Binder binder_;
  std::array<UniqueIcon, 2> pictures_;  // by the model's image index
  HWND picture_ = nullptr;
  HWND modalOwner_ = nullptr;
};

}  // namespace vandrel
