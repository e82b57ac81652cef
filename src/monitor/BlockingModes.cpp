#include "monitor/BlockingModes.h"

namespace vandrel {
namespace {

// Toolbar images of the two toggles.
constexpr int kBlockImage = 0, kUnblockImage = 5, kBlock100Image = 8, kUnblock100Image = 9;
constexpr const char* kUnblock100Caption = "UnBlock &100%";

void Show(Button& control, const char* caption, const char* hint) {
  control.SetCaption(caption);
  if (hint) control.SetHint(hint);
}

}  // namespace

BlockingModes::BlockingModes(Timer& scanTimer, WindowScan& scan, Settings& settings, Prompts& prompts,
                             std::function<void(int)> setTrayIconIndex)
    : scanTimer_(scanTimer),
      scan_(scan),
      settings_(settings),
      prompts_(prompts),
      setTrayIconIndex_(std::move(setTrayIconIndex)) {
  // The designed texts, shown until the first toggle.
  Show(Start, "B&lock", "Start the Popup manager");
  Start.SetImageIndex(kBlockImage);
  Show(Start2, "B&lock", "Block PopUps");
  Show(Start1, "Block", nullptr);
  Show(StoProc, " Block &100% ", "Start 100% Popup Stopper");
  StoProc.SetImageIndex(kBlock100Image);
  Show(Stop1001, "Block &100%", "Block 100% PopUps");
  Show(Stop1002, "Block 100%", nullptr);
  for (Button* control : {&Start, &Start2, &Start1}) control->OnClick = [this] { Start1Click(); };
  for (Button* control : {&StoProc, &Stop1001, &Stop1002}) control->OnClick = [this] { StoProcClick(); };
}

const char* BlockingModes::Block100MenuLabel() const {
  return StoProc.Caption() == kUnblock100Caption ? kUnblock100Caption : "Block &100%";
}

void BlockingModes::ShowBlocking(bool on) {
  if (on) {
    Show(Start, "UnB&lock", "Allow PopUps");
    Show(Start2, "UnB&lock", "Allow PopUps");
    Show(Start1, "UnB&lock", nullptr);
  } else {
    Show(Start, " B&lock ", "Block PopUps");
    Show(Start2, "B&lock", "Block PopUps");
    Show(Start1, "B&lock", nullptr);
  }
  Start.SetImageIndex(on ? kUnblockImage : kBlockImage);
}

void BlockingModes::ShowBlock100(bool on) {
  if (on) {
    Show(StoProc, kUnblock100Caption, "End 100% Popup Stopper");
    Show(Stop1001, kUnblock100Caption, "End 100% Popup Stopper");
    Show(Stop1002, kUnblock100Caption, nullptr);
  } else {
    Show(StoProc, " Block &100% ", "Block 100% PopUps");
    Show(Stop1001, "Block &100%", "Block 100% PopUps");
    Show(Stop1002, "Block &100%", nullptr);
  }
  StoProc.SetImageIndex(on ? kUnblock100Image : kBlock100Image);
}

void BlockingModes::SelectGlobalProfile(int item) {
  if (globalProfile_) globalProfile_->SetItemIndex(item);
}

void BlockingModes::Start1Click() {
  scanTimer_.SetEnabled(!scanTimer_.Enabled());
  const bool on = scanTimer_.Enabled();
  ShowBlocking(on);
  if (!on) {
    setTrayIconIndex_(0);
    scan_.Reset();
  }
  if (blockingSwitched) blockingSwitched(on);
}

void BlockingModes::StoProcClick() {
  if (!block100Active_) {
    ShowBlock100(true);
    savedLimitEnabled_ = settings_.LimitEnabled;
    settings_.LimitEnabled = true;
    savedLimitWindows_ = settings_.LimitWindows;
    settings_.LimitWindows = 1;
    savedLimitClose_ = settings_.LimitClose;
    settings_.LimitClose = kLimitAsSet;
    // The mode is on from here: a refused rich-media write must not leave
    // the limit forced while the mode says off.
    block100Active_ = true;
    scan_.SetBlock100(true);
    SelectGlobalProfile(kNoToAll);
    prompts_.Message(MessageKind::Information, kTakesEffectLater, MessageButtons::Ok);
    return;
  }
  ShowBlock100(false);
  settings_.LimitEnabled = savedLimitEnabled_;
  settings_.LimitWindows = savedLimitWindows_;
  settings_.LimitClose = savedLimitClose_;
  block100Active_ = false;
  scan_.SetBlock100(false);
  SelectGlobalProfile(kYesToAll);
}

void BlockingModes::EndBlock100() {
  block100Active_ = false;
  scan_.SetBlock100(false);
  ShowBlock100(false);
}

}  // namespace vandrel
