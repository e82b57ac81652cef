#include "options/MessengerPage.h"

#include <exception>
#include <utility>

#include "platform/OperatingSystem.h"
#include "platform/ScopeExit.h"

namespace vandrel {
namespace {

// ServiceState's numbers (the platform's less one) and the start types.
constexpr int kStateStopped = 0;
constexpr int kStateRunning = 3;
constexpr int kStatePaused = 6;
constexpr int kFirstNtCode = 4;                                   // version codes below it are the Windows 95 family
constexpr unsigned long kFirstListedStartType = kStartAutomatic;  // "Auto" is item 0

bool Steady(int state) { return state == kStateStopped || state == kStateRunning || state == kStatePaused; }

}  // namespace

MessengerPage::MessengerPage(TSrvCtrl& srvCtrl, SystemInfo& system, Prompts& prompts)
    : srvCtrl_(srvCtrl), system_(system), prompts_(prompts) {
  GroupBox5.SetCaption(kMessengerFrameCaption);
  State.SetCaption("State:");
  Startup.SetCaption("Startup:");
  StpMess.SetCaption("Stop");
  StrMess.SetCaption("Start");
  StrMess.SetEnabled(false);
  AppMess.SetCaption("Apply");
  AppMess.SetEnabled(false);
  StType.Items = {"Auto", "Manual", "Disabled"};
  StType.SetItemIndex(2);
  Image1.SetImageIndex(-1);  // nothing until the first refresh

  StpMess.OnClick = [this] { StpMessClick(); };
  StrMess.OnClick = [this] { StrMessClick(); };
  AppMess.OnClick = [this] { AppMessClick(); };
  StType.OnChange = [this] { StTypeChange(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

void MessengerPage::ConnectToMessenger(bool setDisplayName) {
  srvCtrl_.SetActive(true);
  srvCtrl_.SetKeyName(kMessengerServiceName);
  if (setDisplayName) srvCtrl_.SetDisplayName(kMessengerServiceName);
}

void MessengerPage::Disable() {
  GroupBox5.SetEnabled(false);
  GroupBox5.SetCaption(kMessengerUnavailable);
  Image1.SetImageIndex(kPictureUnavailable);
}

void MessengerPage::SetHourglass(bool on) {
  if (hourglass_ == on) return;
  hourglass_ = on;
  if (cursorChanged) cursorChanged();
}

void MessengerPage::RunAlone(const std::function<void()>& action) {
  if (running_) return;
  {
    const auto running = FlagFor(running_);
    try {
      action();
    } catch (const ProgramEnding&) {
      // The program is ending: no box, nothing more of the page.
      return;
    } catch (const std::exception& error) {
      // The connection stays as the failure left it: the next action's connect reopens it.
      prompts_.ShowError(error.what());
    }
  }
  if (std::exchange(showWaiting_, false)) ReadStartType();
}

void MessengerPage::FormShow() {
  if (GetOperatingSystem(system_.Version()) < kFirstNtCode) {
    Disable();
    return;
  }
  if (!Timer1.Enabled()) Timer1.SetEnabled(true);
  // Shown again while an action runs (its wait or its box lets the dialog
  // go and come back): reconnecting now would close the service handle
  // under that action, so the start type is read once it has ended.
  if (running_) {
    showWaiting_ = true;
    return;
  }
  ReadStartType();
}

void MessengerPage::ReadStartType() {
  try {
    ConnectToMessenger(false);
    const unsigned long startType = srvCtrl_.StartType();
    if (startType >= kStartAutomatic && startType <= kStartDisabled) {
      StType.SetItemIndex(static_cast<int>(startType - kFirstListedStartType));
    }
    if (startType == kStartDisabled) StrMess.SetEnabled(false);
    Disconnect();
  } catch (const std::exception&) {
    // No manager, no such service, no access: the page says so, silently,
    // and holds no handle of the manager.
    Disable();
    Timer1.SetEnabled(false);
    try {
      Disconnect();
    } catch (const std::exception&) {
      // A handle that will not close is all the same to a disabled page.
    }
  }
}

void MessengerPage::DispIcon() {
  ConnectToMessenger(true);
  const int state = srvCtrl_.ServiceState();
  int picture = kPictureChanging;  // any pending state leaves the buttons as they are
  if (state == kStateStopped) {
    StpMess.SetEnabled(false);
    StrMess.SetEnabled(true);
    picture = kPictureStopped;
  } else if (state == kStateRunning || state == kStatePaused) {
    StpMess.SetEnabled(true);
    StrMess.SetEnabled(false);
    picture = state == kStateRunning ? kPictureRunning : kPicturePaused;
  }
  if (srvCtrl_.StartType() == kStartDisabled) StrMess.SetEnabled(false);
  Image1.SetImageIndex(picture);
  Disconnect();
}

void MessengerPage::Timer1Timer() {
  RunAlone([this] {
    DispIcon();
    ConnectToMessenger(true);
    if (Steady(srvCtrl_.ServiceState())) {
      SetHourglass(false);
      busy_ = false;
    }
    Disconnect();
  });
}

void MessengerPage::AppMessClick() {
  RunAlone([this] {
    ConnectToMessenger(true);
    srvCtrl_.SetStartType(static_cast<unsigned long>(StType.ItemIndex()) + kFirstListedStartType);
    Disconnect();
    AppMess.SetEnabled(false);
  });
}

void MessengerPage::StartBusyAction(Button& button) {
  SetHourglass(true);
  busy_ = true;
  button.SetEnabled(false);
}

void MessengerPage::StpMessClick() {
  RunAlone([this] {
    StartBusyAction(StpMess);
    ConnectToMessenger(true);
    if (srvCtrl_.ServiceState() == kStateRunning) {
      srvCtrl_.Stop();
    } else {
      Say(kMessengerNotRunning);
    }
    Disconnect();
  });
}

void MessengerPage::StrMessClick() {
  RunAlone([this] {
    StartBusyAction(StrMess);
    ConnectToMessenger(true);
    if (srvCtrl_.ServiceState() == kStateStopped) {
      srvCtrl_.Start();
    } else {
      Say(kMessengerAlreadyRunning);
    }
    Disconnect();
  });
}

void MessengerPage::Image2MouseDown() {
  RunAlone([this] {
    if (busy_) {
      Say(kMessengerPleaseWait);
      return;
    }
    StartBusyAction(StpMess);
    ConnectToMessenger(true);
    if (srvCtrl_.ServiceState() == kStateRunning) srvCtrl_.Stop();
    srvCtrl_.SetStartType(kStartDisabled);
    Disconnect();
    Say(kMessengerStoppedAndDisabled);
    FormShow();
  });
}

}  // namespace vandrel
