#pragma once
#include <windows.h>

#include <functional>

#include "app/MainWindow.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/Window.h"

namespace vandrel {

// The real main window of class TZAVOClass: draws the form model (caption,
// visibility, width, status bar), drives its timers and answers WM_USER.
class MainWindowView : public Window {
 public:
  MainWindowView(TZAVOClass& form, Prompts& prompts, bool minimizeArgument);

  // Registers the class and creates the window (FormCreate runs inside),
  // then shows it.
  void Create(HINSTANCE instance);
  // Runs when Windows ends the session, after which the process is ended.
  void OnSessionEnd(std::function<void()> handler) { sessionEnd_ = std::move(handler); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void DrawForm();

  TZAVOClass& form_;
  bool minimizeArgument_;
  bool shown_ = false;
  Binder binder_;
  std::function<void()> sessionEnd_;
};

}  // namespace vandrel
