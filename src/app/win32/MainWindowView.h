#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/win32/ChromeHandles.h"
#include "app/win32/MenuBarView.h"
#include "app/win32/ToolbarView.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/Window.h"

namespace vandrel {

// The real main window of class TZAVOClass: draws the form model (caption,
// visibility, width, toolbar, menu bar, status bar), drives its timers,
// routes the close box, Esc and the end-of-session query to the form, and
// answers WM_USER.
class MainWindowView : public Window {
 public:
  MainWindowView(TZAVOClass& form, Prompts& prompts, bool minimizeArgument);

  // Registers the class and creates the window (FormCreate runs inside),
  // then shows it.
  void Create(HINSTANCE instance);
  // Runs when Windows ends the session, after which the process is ended.
  void OnSessionEnd(std::function<void()> handler) { sessionEnd_ = std::move(handler); }
  // Shows the window's context menu at a screen point.
  void OnContextMenu(std::function<void(POINT)> handler) { contextMenu_ = std::move(handler); }
  // The hourglass over the window while a long command (the erase) runs.
  void SetHourglass(bool busy);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void DrawForm();
  void LayOut() const;
  void FadeOut(const std::vector<int>& opacities) const;

  TZAVOClass& form_;
  bool minimizeArgument_;
  bool shown_ = false;
  bool hourglass_ = false;
  HINSTANCE instance_ = nullptr;
  UniqueGdiObject font_;
  Binder binder_;
  ToolbarView toolbar_;
  MenuBarView menuBar_;
  std::function<void()> sessionEnd_;
  std::function<void(POINT)> contextMenu_;
};

}  // namespace vandrel
