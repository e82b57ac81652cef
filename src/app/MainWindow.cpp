#include "app/MainWindow.h"

#include "app/OperatingSystem.h"
#include "app/ProgramEntry.h"
#include "platform/PlatformError.h"
#include "settings/SettingsStore.h"

namespace vandrel {

TZAVOClass::TZAVOClass(Platform& platform, ProgramState& state, LiveSettings& live,
                       Prompts& prompts)
    : platform_(platform),
      state_(state),
      live_(live),
      prompts_(prompts),
      scan_(platform.desktop, state.settings, state.blockList, state.titleSuffix, *this),
      Blocking(Timer1, scan_, state.settings, prompts, [this](int index) { SetTrayIconIndex(index); }) {
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.OnTimer = [this] { Timer2Timer(); };
}

void TZAVOClass::ReadTitleSuffix() {
  const auto value =
      platform_.registry.ReadValue(RootKey::CurrentUser, kBrowserMainKeyPath, kWindowTitleValue);
  // A value of another type is no window title: the default suffix stays.
  if (value && value->kind == ValueKind::String) state_.titleSuffix = TitleSuffixFor(&value->text);
}

void TZAVOClass::FormCreate(int designedOuterWidth, bool minimizeArgument) {
  ReadTitleSuffix();
  int outerWidth = designedOuterWidth;
  if (GetOperatingSystem(platform_.system.Version()) >= kWindowsXp) {
    outerWidth = kNarrowOuterWidth;
    Form.SetOuterWidth(outerWidth);
  }
  StatusBar1.SetPanelWidth(0, outerWidth - kStatusPanelReserve);
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
  Timer1.SetInterval(state_.settings.TimerInterval >= 1 ? state_.settings.TimerInterval
                                                        : kDefaultScanInterval);
  scan_.SetExpandPending();
  minimizeArgument_ = minimizeArgument;
}

void TZAVOClass::Timer1Timer() {
  Timer1.SetEnabled(false);
  // Blocking stays on even when a pass fails (a refused settings write):
  // the error is reported and the next tick comes as usual.
  struct Reenable {
    Timer& timer;
    ~Reenable() { timer.SetEnabled(true); }
  } reenable{Timer1};
  scan_.Tick();
}

void TZAVOClass::Timer2Timer() {
  if (state_.settings.StartMinimized || minimizeArgument_) Form.SetVisible(false);
  Timer2.SetEnabled(false);
}

void TZAVOClass::ShowOnRequest() {
  Form.SetVisible(true);
  Form.BringToFront();
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

void TZAVOClass::ShowClosedCount() {
  StatusBar1.SetPanelText(1, std::to_string(closedCount_) + kClosedWindowsSuffix);
}

void TZAVOClass::CountClosedWindow() {
  ++closedCount_;
  ShowClosedCount();
  if (live_.SoundChecked()) platform_.sound.PlayFileAsync(live_.WavFile());
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
