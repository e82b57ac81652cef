#pragma once
#include <windows.h>

#include "options/CookiesToKeepDialog.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/HintWindow.h"
#include "ui/win32/ListEntryKeys.h"
#include "ui/win32/Window.h"

namespace vandrel {

inline constexpr const char* kCookiesToKeepWindowClass = "VandrelCookiesToKeep";

// The real window of the sites whose cookies stay: fixed-size, drawn from
// its model, created hidden and shown modally over the options dialog; its
// controls are made when it is first shown. Enter presses OK (in the box
// it adds the site), Esc presses Cancel.
class CookiesToKeepView : public Window {
 public:
  CookiesToKeepView(CookiesToKeepDialog& dialog, Prompts& prompts);
  ~CookiesToKeepView() override;

  void Create(HINSTANCE instance, HWND owner = nullptr);
  // Shows the window over a disabled `owner`, runs this thread's messages
  // until it is hidden again.
  void ShowModal(HWND owner);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MakeContents() override;
  void DrawForm();
  void Unhook();

  CookiesToKeepDialog& dialog_;
  Prompts& prompts_;
  Binder binder_;
  HintWindow hints_;
  HWND modalOwner_ = nullptr;
  ListEntryKeys keys_;  // Del in the kept list, Enter in the box
};

}  // namespace vandrel
