#include "app/MainWindow.h"

#include <algorithm>
#include <initializer_list>

#include "app/FadeOut.h"
#include "app/ProgramEntry.h"
#include "platform/OperatingSystem.h"
#include "platform/PlatformError.h"
#include "platform/ScopeExit.h"
#include "settings/SettingsStore.h"

namespace vandrel {

TZAVOClass::TZAVOClass(Platform& platform, ProgramState& state, LiveSettings& live, Prompts& prompts)
    : platform_(platform),
      state_(state),
      live_(live),
      prompts_(prompts),
      scan_(platform.desktop, state.settings, state.blockList, state.titleSuffix, *this),
      Blocking(Timer1, scan_, state.settings, prompts, [this](int index) { SetTrayIconIndex(index); }),
      // An event's tick is the timer's tick, with every rule and the guard
      // against a tick inside a tick.
      eventTicks_(platform.windowEvents, platform.desktop, EventTimer, WatchTimer, [this] { Timer1Timer(); }) {
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Blocking.blockingSwitched = [this](bool on) {
    eventTicks_.SetListening(on);
    if (on) scan_.BlockingStarted();
  };
  Timer2.OnTimer = [this] { Timer2Timer(); };
  BindCommands();
}

void TZAVOClass::BindCommands() {
  const auto bind = [this](std::initializer_list<Button*> controls, void (TZAVOClass::*command)()) {
    for (Button* control : controls) control->OnClick = [this, command] { (this->*command)(); };
  };
  // Start, Start2, StoProc and Stop1001 already run the blocking toggles.
  bind({&ToolBar1.AddToBlackList, &MainMenu1.BlackList1}, &TZAVOClass::AddtotheBlackList1Click);
  bind({&ToolBar1.EraseStuff, &MainMenu1.Erase2}, &TZAVOClass::EraseStuffClick);
  bind({&ToolBar1.Options, &MainMenu1.Options2}, &TZAVOClass::Options2Click);
  bind({&ToolBar1.Go, &MainMenu1.N15Search2}, &TZAVOClass::GoClick);
  bind({&ToolBar1.VABOptions, &MainMenu1.VideoAds1}, &TZAVOClass::VABOptionsClick);
  bind({&ToolBar1.ExitP, &MainMenu1.Exit2}, &TZAVOClass::Exit1Click);
  bind({&MainMenu1.AllowedList1}, &TZAVOClass::AllowedList1Click);
  bind({&MainMenu1.ErasePreview1}, &TZAVOClass::ErasePreview1Click);
  bind({&MainMenu1.EraseReport1}, &TZAVOClass::EraseReport1Click);
  bind({&MainMenu1.Demo1}, &TZAVOClass::Demo1Click);
  bind({&MainMenu1.Help2}, &TZAVOClass::Help2Click);
  bind({&MainMenu1.About1}, &TZAVOClass::About1Click);
}

void TZAVOClass::ReadTitleSuffix() {
  const auto value = platform_.registry.ReadValue(RootKey::CurrentUser, kBrowserMainKeyPath, kWindowTitleValue);
  // A value of another type is no window title: the default suffix stays.
  if (value && value->kind == ValueKind::String) state_.titleSuffix = TitleSuffixFor(&value->text);
}

void TZAVOClass::FormCreate(int designedOuterWidth, bool minimizeArgument, int workAreaWidth) {
  minimizeArgument_ = minimizeArgument;
  ReadTitleSuffix();
  int outerWidth =
      GetOperatingSystem(platform_.system.Version()) >= kWindowsXp ? kNarrowOuterWidth : designedOuterWidth;
  outerWidth = std::min(outerWidth, workAreaWidth);
  if (outerWidth != designedOuterWidth) Form.SetOuterWidth(outerWidth);
  // The closed-windows panel keeps its width however narrow the window is.
  StatusBar1.SetPanelWidth(0, std::max(0, outerWidth - kStatusPanelReserve));
  Form.SetCaption(kMainWindowTitle);
  trayHint_ = kMainWindowTitle;

  // A value of the wrong type ends the load and is reported; the window is
  // still made whole, with the values not read at their defaults.
  try {
    LoadSettings(platform_.registry, state_.settings);
  } catch (const PlatformError& error) {
    prompts_.ShowError(error.what());
  }

  closedCount_ = 0;
  ShowClosedCount();
  // An interval below one would leave the scan without ticks.
  Timer1.SetInterval(state_.settings.TimerInterval >= 1 ? state_.settings.TimerInterval : kDefaultScanInterval);
  scan_.SetExpandPending();
  created_ = true;
}

void TZAVOClass::Timer1Timer() {
  // The timer runs on through the tick, since whether it runs is whether
  // blocking is on: a Block click that reaches the window while the tick
  // waits on another program (the shell's icon update is sent, and messages
  // sent meanwhile are handled) switches blocking off and is not undone.
  // A timer event inside the tick waits for the next one. A pass that fails
  // (a refused settings write) is reported and the next tick comes as usual.
  if (ticking_) return;
  const auto ticking = FlagFor(ticking_);
  scan_.Tick();
}

void TZAVOClass::Timer2Timer() {
  // A box shown during the creation runs this timer before the settings
  // and the window are whole: the decision waits for the next tick.
  if (!created_) return;
  // Hidden only with the icon there: without it nothing would lead back.
  const bool minimized = state_.settings.StartMinimized || minimizeArgument_;
  if (minimized && (!ensureTrayIcon || ensureTrayIcon())) Form.SetVisible(false);
  Timer2.SetEnabled(false);
}

void TZAVOClass::ShowOnRequest() {
  Form.SetVisible(true);
  Form.BringToFront();
}

void TZAVOClass::Exit1Click() {
  if (!state_.settings.ExitConfirm) {
    ExitMe();
    return;
  }
  const SilenceableAnswer reply =
      prompts_.SilenceableMessage(MessageKind::Confirmation, kExitQuestion, MessageButtons::YesNo);
  if (reply.answer != Answer::Yes) return;
  // Only the key learns it: the program is ending anyway.
  if (reply.dontShowAgain) StoreBoolSetting(platform_.registry, "ExitConfirm", false);
  ExitMe();
}

void TZAVOClass::ExitMe() {
  const std::vector<int> opacities = FadeOutOpacities(GetOperatingSystem(platform_.system.Version()));
  if (!opacities.empty() && fadeOut) fadeOut(opacities);
  if (endApplication) endApplication();
}

bool TZAVOClass::FormCloseQuery() {
  if (live_.ExitOnCloseChecked()) {
    Exit1Click();
  } else if (!ensureTrayIcon || ensureTrayIcon()) {
    Form.SetVisible(false);
  }
  return false;
}

bool TZAVOClass::FormKeyDown(int key) {
  if (key != kEscapeKey) return false;
  FormCloseQuery();
  return true;
}

void TZAVOClass::StoreSettings() {
  if (const auto interval = live_.ChosenInterval()) {
    Timer1.SetInterval(*interval);
    state_.settings.TimerInterval = *interval;
  }
  Settings values = live_.ValuesToStore();
  values.DeleteConfirm = state_.settings.DeleteConfirm;
  values.ExitConfirm = state_.settings.ExitConfirm;
  values.TimerInterval = state_.settings.TimerInterval;
  vandrel::StoreSettings(platform_.registry, values);
}

void TZAVOClass::ShowClosedCount() { StatusBar1.SetPanelText(1, std::to_string(closedCount_) + kClosedWindowsSuffix); }

void TZAVOClass::CountClosedWindow() {
  ++closedCount_;
  ShowClosedCount();
  if (live_.SoundChecked()) platform_.sound.PlayFileAsync(live_.SoundFileText());
}

void TZAVOClass::LimitRaised(int newLimit) {
  live_.SetMaxWindows(newLimit);
  StoreSettings();
}

void TZAVOClass::SetTrayIconIndex(int index) {
  if (trayIconIndex_ == index) return;
  trayIconIndex_ = index;
  if (trayRedraw) trayRedraw();
}

}  // namespace vandrel
