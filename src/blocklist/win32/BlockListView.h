#pragma once
#include <windows.h>

#include "blocklist/TForm3.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/ClientScroll.h"
#include "ui/win32/HintWindow.h"
#include "ui/win32/ListEntryKeys.h"
#include "ui/win32/Window.h"

namespace vandrel {

inline constexpr const char* kBlockListWindowClass = "TForm3";

// The real block list dialog: a fixed-size window of 537 x 412 client
// pixels (designed; in one column that scrolls where the work area is
// smaller) drawn from the form model, centred on the desktop, created hidden
// at start-up and shown modally on request; its controls are made when it
// is first shown. Its handlers' failures go to the program's error box.
class BlockListView : public Window {
 public:
  BlockListView(TForm3& form, Prompts& prompts);
  ~BlockListView() override;

  // Registers the class and creates the hidden window.
  void Create(HINSTANCE instance, HWND owner = nullptr);

  // Shows the window over a disabled `owner` (which may be null), runs
  // FormShow and this thread's messages, timers included, until the dialog
  // is hidden again. Esc presses "&Hide". A quit message ends the loop and
  // is posted again for the caller's loop.
  void ShowModal(HWND owner);

  // Null until the dialog is first shown.
  HWND ListBox1() const { return list1_; }
  HWND ListBox2() const { return list2_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  // The controls, before the first show (whose FormShow measures the
  // lists); the model measures its list boxes with their real font from
  // then on.
  void MakeContents() override;
  void DrawForm();
  void AddHints();
  void ShowContextMenu(LPARAM where);
  int WidestItem(const ListBox& box, const std::vector<std::string>& items) const;

  TForm3& form_;
  Prompts& prompts_;
  Binder binder_;
  HWND list1_ = nullptr;
  HWND list2_ = nullptr;
  HWND keyword_ = nullptr;
  HWND label1_ = nullptr;
  HintWindow hints_;
  HWND modalOwner_ = nullptr;
  ListEntryKeys keys_;    // every key in the block list, Enter in the keyword box
  bool wrapped_ = false;  // the columns one below the other
  ClientScroll scroll_;
};

}  // namespace vandrel
