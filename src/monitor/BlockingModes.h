#pragma once
#include <functional>

#include "monitor/WindowScan.h"
#include "settings/Settings.h"
#include "ui/Controls.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kTakesEffectLater =
    "Any changes that you make will take an effect\r\nthe next time you open a new browser window or "
    "restart\r\nInternet Explorer (close all opened windows).";

// The two toggles of the pop-up monitor and the controls that show them:
// Block starts and stops the scan timer; Block 100% forces the window limit
// to one browser window and the rich-media content off, and puts both back.
// The toolbar buttons (Start, StoProc), the main menu items (Start2,
// Stop1001) and the tray menu items (Start1, Stop1002) are drawn by views.
class BlockingModes {
 public:
  BlockingModes(Timer& scanTimer, WindowScan& scan, Settings& settings, Prompts& prompts,
                std::function<void(int)> setTrayIconIndex);

  Button Start, Start2, Start1;
  Button StoProc, Stop1001, Stop1002;

  // Runs after every switch of blocking, with whether it is now on.
  std::function<void(bool on)> blockingSwitched;

  // The rich-media window's global profile, once that window exists.
  void SetGlobalProfile(RadioGroup* profile) { globalProfile_ = profile; }

  void Start1Click();
  void StoProcClick();
  // Ends Block 100% without putting the saved limit back (the options
  // dialog has just stored its own).
  void EndBlock100();

  bool BlockingOn() const { return scanTimer_.Enabled(); }
  bool Block100Active() const { return block100Active_; }
  // The dynamic tray menu's labels, read from the controls' states.
  const char* BlockMenuLabel() const { return BlockingOn() ? "UnBlock" : "Block"; }
  const char* Block100MenuLabel() const;

 private:
  void ShowBlocking(bool on);
  void ShowBlock100(bool on);
  void SelectGlobalProfile(int item);

  Timer& scanTimer_;
  WindowScan& scan_;
  Settings& settings_;
  Prompts& prompts_;
  std::function<void(int)> setTrayIconIndex_;
  RadioGroup* globalProfile_ = nullptr;

  bool block100Active_ = false;
  bool savedLimitEnabled_ = false;
  int savedLimitWindows_ = 0;
  int savedLimitClose_ = 0;
};

// The rich-media profiles Block 100% selects.
inline constexpr int kYesToAll = 0;
inline constexpr int kNoToAll = 1;

}  // namespace vandrel
