#pragma once
#include <windows.h>

#include "allowlist/AllowedListDialog.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/HintWindow.h"
#include "ui/win32/ListEntryKeys.h"
#include "ui/win32/Window.h"

namespace vandrel {

inline constexpr const char* kAllowedListWindowClass = "VandrelAllowedList";

// The real always-allowed window: fixed-size, drawn from its model, created
// hidden at start-up and shown modally on request; its controls are made
// when it is first shown. Esc presses "Close".
class AllowedListView : public Window {
 public:
  AllowedListView(AllowedListDialog& dialog, Prompts& prompts);
  ~AllowedListView() override;

  void Create(HINSTANCE instance, HWND owner = nullptr);
  // Shows the window over a disabled `owner`, runs FormShow and this
  // thread's messages until it is hidden again.
  void ShowModal(HWND owner);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MakeContents() override;
  void DrawForm();
  void Unhook();

  AllowedListDialog& dialog_;
  Prompts& prompts_;
  Binder binder_;
  HintWindow hints_;
  HWND modalOwner_ = nullptr;
  ListEntryKeys keys_;  // Del in the list, Enter in the entry
};

}  // namespace vandrel
