#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "app/ProgramState.h"
#include "monitor/BlockingModes.h"
#include "monitor/WindowScan.h"
#include "platform/Platform.h"
#include "settings/LiveSettings.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kBrowserMainKeyPath = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kWindowTitleValue = "Window Title";
inline constexpr const char* kClosedWindowsSuffix = " windows closed.";
inline constexpr int kNarrowOuterWidth = 750;
inline constexpr int kStatusPanelReserve = 115;
inline constexpr int kDefaultScanInterval = 100;

// The main window's form: creation, the scan timer, the one-shot hide timer,
// the status bar and the tray icon's image index.
class TZAVOClass : public ScanEvents {
 public:
  TZAVOClass(Platform& platform, ProgramState& state, LiveSettings& live, Prompts& prompts);

  FormModel Form;
  Timer Timer1{kDefaultScanInterval, false};
  Timer Timer2{100, true};
  StatusBar StatusBar1{{{"", 240}, {"", 140}}};

  // Runs while the window is created; `designedOuterWidth` is the outer
  // width that the designed client width gives.
  void FormCreate(int designedOuterWidth, bool minimizeArgument);
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

  // ScanEvents
  void CountClosedWindow() override;
  void LimitRaised(int newLimit) override;
  void SetTrayIconIndex(int index) override;

 private:
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

 private:
  std::uint32_t closedCount_ = 0;
  int trayIconIndex_ = 0;
  std::string trayHint_;
  bool minimizeArgument_ = false;
};

}  // namespace vandrel
