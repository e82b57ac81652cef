#pragma once
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/MainMenu.h"
#include "app/MainToolbar.h"
#include "app/ProgramState.h"
#include "monitor/BlockingModes.h"
#include "monitor/EventTicks.h"
#include "monitor/WindowScan.h"
#include "platform/Platform.h"
#include "settings/LiveSettings.h"
#include "settings/SharedRegistryPlaces.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kClosedWindowsSuffix = " windows closed.";
inline constexpr int kNarrowOuterWidth = 750;
// What the first status panel leaves of the window: the closed-windows panel
// must hold "1234 windows closed." with its edges.
inline constexpr int kStatusPanelReserve = 145;
inline constexpr int kDefaultScanInterval = 100;
inline constexpr const char* kExitQuestion = "Do you really want to exit Vandrel v7.0.5?";

// The main window's form: creation, the scan timer, the one-shot hide timer,
// the status bar, the toolbar and menu with their commands, the close and
// exit logic, and the tray icon's image index.
class TZAVOClass : public ScanEvents {
 public:
  TZAVOClass(Platform& platform, ProgramState& state, LiveSettings& live, Prompts& prompts);

  FormModel Form;
  Timer Timer1{kDefaultScanInterval, false};
  Timer Timer2{100, true};
  // Wakes the scan's tick after window events while blocking is on.
  Timer EventTimer{EventTicks::kSettle, false};
  Timer WatchTimer{EventTicks::kSettle, false};  // looks at hidden windows heard of
  StatusBar StatusBar1{{{"", 240}, {"", 140}}};

  // Runs while the window is created; `designedOuterWidth` is the outer
  // width that the designed client width gives, `workAreaWidth` the width of
  // the screen's work area (both designed pixels), which the window never
  // exceeds: on a small screen its toolbar wraps instead.
  void FormCreate(int designedOuterWidth, bool minimizeArgument, int workAreaWidth = INT_MAX);
  void Timer1Timer();
  void Timer2Timer();
  // WM_USER from a second start: show the window as the tray's Show does.
  void ShowOnRequest();
  // Switches blocking on or off (the scan timer).
  void Start1Click() { Blocking.Start1Click(); }
  // Writes every setting from the working copy.
  void StoreSettings();

  bool BlockingOn() const { return Blocking.BlockingOn(); }
  std::uint32_t ClosedCount() const { return closedCount_; }
  int TrayIconIndex() const { return trayIconIndex_; }
  const std::string& TrayHint() const { return trayHint_; }
  bool MinimizeArgument() const { return minimizeArgument_; }
  WindowScan& Scan() { return scan_; }
  std::function<void()> trayRedraw;  // set by the view that draws the icon
  // Set by the same view: puts the icon in the notification area if it is
  // not there (the shell may have refused it at log-on); true when it is.
  std::function<bool()> ensureTrayIcon;

  // Commands of the toolbar and the menus. Those that open another window
  // run its hook, which the composition root sets; an unset hook does nothing.
  void StoProcClick() { Blocking.StoProcClick(); }
  void AddtotheBlackList1Click() { Run(onBlockList); }
  void EraseStuffClick() { Run(onErase); }
  void AllowedList1Click() { Run(onAllowedList); }
  void ErasePreview1Click() { Run(onErasePreview); }
  void EraseReport1Click() { Run(onEraseReport); }
  void Options2Click() { Run(onOptions); }
  void GoClick() { Run(onGoToUrl); }
  void VABOptionsClick() { Run(onRichMedia); }
  void Demo1Click() { Run(onDemo); }
  void Help2Click() { Run(onHelp); }
  void About1Click() { Run(onAbout); }
  std::function<void()> onBlockList, onAllowedList, onErase, onErasePreview, onEraseReport, onOptions, onGoToUrl, onRichMedia, onDemo,
      onHelp, onAbout;

  // Exit with the question (unless ExitConfirm is off).
  void Exit1Click();
  // Fades the window out where Windows can, then ends the application.
  void ExitMe();
  // The close box, Alt+F4 and Esc: never lets the window close; exits when
  // "Exit on close" is ticked, else hides the window to the tray, unless
  // the tray has no icon to bring it back by: then it stays on screen.
  bool FormCloseQuery();
  // True when the key was Esc, which is swallowed and closes the window.
  bool FormKeyDown(int key);
  // Windows may always end the log-on.
  bool AnswerEndQuery() const { return true; }
  // The status bar's first panel: the long hint of what is under the mouse.
  void ShowHint(const std::string& hint) { StatusBar1.SetPanelText(0, hint); }

  std::function<void(const std::vector<int>& opacities)> fadeOut;  // set by the view
  std::function<void()> endApplication;                            // set by the view

  // ScanEvents
  void CountClosedWindow() override;
  void LimitRaised(int newLimit) override;
  void SetTrayIconIndex(int index) override;

 private:
  static void Run(const std::function<void()>& hook) {
    if (hook) hook();
  }
  void BindCommands();
  void ReadTitleSuffix();
  void ShowClosedCount();

  Platform& platform_;
  ProgramState& state_;
  LiveSettings& live_;
  Prompts& prompts_;
  WindowScan scan_;

 public:
  // Block and Block 100%, with the toolbar buttons and menu items showing them.
  BlockingModes Blocking;
  MainToolbar ToolBar1{Blocking};
  MainMenu MainMenu1{Blocking};

 private:
  EventTicks eventTicks_;
  std::uint32_t closedCount_ = 0;
  int trayIconIndex_ = 0;
  std::string trayHint_;
  bool minimizeArgument_ = false;
  bool created_ = false;  // FormCreate has finished
  bool ticking_ = false;  // Timer1's tick runs
};

}  // namespace vandrel
