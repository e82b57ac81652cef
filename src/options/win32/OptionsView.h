#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "options/TForm2.h"
#include "options/win32/MessengerPageView.h"
#include "platform/win32/Handles.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/HintWindow.h"
#include "ui/win32/PageWindow.h"
#include "ui/win32/Window.h"

namespace vandrel {

inline constexpr const char* kOptionsWindowClass = "TForm2";
inline constexpr std::size_t kOptionsPageCount = 5;

// The real options dialog: 284 x 308 client pixels, centred on the desktop,
// the five pages on a tab control above "&OK", "&Cancel" and "&Defaults",
// the hints as tooltips. Created hidden at start-up (the model's FormCreate
// is the composition root's), shown modally on request; its controls are
// made when it is first shown. Its handlers'
// failures go to the program's error box.
class OptionsView : public Window {
 public:
  OptionsView(TForm2& form, Prompts& prompts);
  ~OptionsView() override;

  // Registers the class and creates the hidden window over `owner`.
  void Create(HINSTANCE instance, HWND owner);
  // Shows the window over a disabled `owner`, runs FormShow and this
  // thread's messages until the dialog is hidden again. Esc is "&Cancel",
  // Enter "&OK"; Alt with a page's letter and Ctrl+Tab choose the pages.
  void ShowModal(HWND owner);

  // The window of a page (0 to 4), for the page views that fill it.
  HWND Page(std::size_t page) const { return pages_[page]->Handle(); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  // The tabs, the pages and the buttons, made once, before the first show.
  void MakeContents() override;
  void MakePages();
  void MakePopupPage();
  void MakeFlashPage();
  void MakeEraserPage();
  void MakeMiscPage();
  void MakeMessengerPage();
  void DrawForm();
  bool PageKeys(const MSG& message);
  void ChoosePage(int page);

  TForm2& form_;
  Prompts& prompts_;
  Binder binder_;
  HintWindow hints_;
  HWND tabs_ = nullptr;
  std::array<std::unique_ptr<PageWindow>, kOptionsPageCount> pages_;
  UniqueIcon testPicture_;
  MessengerPageView messenger_;
  HWND modalOwner_ = nullptr;
};

}  // namespace vandrel
