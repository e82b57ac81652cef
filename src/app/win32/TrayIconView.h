#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "app/CloseNotice.h"
#include "app/IconPresence.h"
#include "app/MainWindow.h"
#include "app/TrayMenuIds.h"
#include "app/TrayMenus.h"
#include "platform/win32/Handles.h"
#include "platform/win32/LateLibrary.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/Window.h"

namespace vandrel {

// A pop-up menu of this kind with the items in order; item i gets the
// command id FirstIdOf(kind) + i, separators included (they send nothing). A
// closed window's offers get their choice in the range of "Recently closed".
// A menu whose ids would leave their range is not made (PlatformError).
UniqueMenu BuildPopupMenu(const TrayMenu& items, TrayMenuKind kind);

// One icon in the notification area, owned by a window that receives its
// mouse messages. It is removed when this goes.
class NotifyIcon {
 public:
  NotifyIcon() = default;
  NotifyIcon(const NotifyIcon&) = delete;
  NotifyIcon& operator=(const NotifyIcon&) = delete;
  ~NotifyIcon() { Remove(); }

  void Attach(HWND owner, UINT id, UINT callbackMessage);
  // Puts the icon in the notification area or changes it there. False when
  // the shell refused; the next call tries again.
  bool Show(HICON icon, const std::string& tip);
  // A balloon at the icon, for `timeoutMs` where the shell lets it choose.
  // False when the icon is not there or the shell (before 5.0) shows none.
  bool ShowBalloon(const std::string& title, const std::string& text, UINT timeoutMs);
  // The shell has restarted and forgotten every icon.
  void Forget() { presence_.Forget(); }
  bool Shown() const { return presence_.Shown(); }
  void Remove();

 private:
  NOTIFYICONDATAA Data(UINT flags);
  bool Notify(IconChange change, NOTIFYICONDATAA& data);
  // shell32's major version; 4 for a shell that cannot tell (before 4.71).
  DWORD ShellMajorVersion();

  // shell32 is loaded with the first icon, after the main window is shown.
  LateLibrary shell32_{"shell32.dll"};
  HWND owner_ = nullptr;
  UINT id_ = 0;
  UINT callbackMessage_ = 0;
  IconPresence presence_;
  DWORD shellMajorVersion_ = 0;  // 0: not asked yet
};

// The notification-area icon of the main window's form: its picture follows
// the form's tray icon index, its menus come from TrayMenus. It owns a
// hidden top-level window of its own, which receives the icon's mouse
// messages and the shell's "TaskbarCreated" broadcast (a message-only window
// would miss broadcasts), and owns the menus while none of the program's
// windows is active. It shows the notice's balloons, and a click on one
// opens the "Recently closed" list as a menu of its own.
class TrayIconView : public Window {
 public:
  static constexpr const char* kWindowClass = "TCoolTrayIcon";
  static constexpr UINT kCallbackMessage = WM_APP + 1;
  static constexpr UINT kIconId = 1;

  TrayIconView(TZAVOClass& form, TrayMenus& menus, CloseNotice& notice, Timer& noticeTimer, Prompts& prompts);
  ~TrayIconView() override;

  // Creates the window, loads the pictures and shows the icon.
  void Create(HINSTANCE instance);
  bool IconShown() const { return icon_.Shown(); }
  // The static menu as the main window's context menu, at a screen point.
  void ShowContextMenu(POINT at);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnIconMouse(UINT mouseMessage);
  void ShowMenu();
  void ShowRecentlyClosedMenu();
  // Shows the menu of this kind at the point and carries out the item chosen.
  void Track(const TrayMenu& items, TrayMenuKind kind, POINT at);
  HWND MenuOwner() const;
  void OnMenuCommand(UINT id, TrayMenuKind tracked);
  void DrawIcon();

  TZAVOClass& form_;
  TrayMenus& menus_;
  CloseNotice& notice_;
  Timer& noticeTimer_;
  Binder binder_;  // the notice's timer runs on this window
  UINT taskbarCreated_ = 0;
  std::array<UniqueIcon, 5> pictures_;
  NotifyIcon icon_;  // after the window: removed before it goes
};

}  // namespace vandrel
