#include "richmedia/TW42VideoBlocker.h"

#include <stdexcept>

#include "platform/PlatformError.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

constexpr auto kCurrentUser = RootKey::CurrentUser;

// Only a stored 1 means "No"; any other number (also one out of range)
// counts as "Yes", as the monitor already treats it.
Choice StoredChoice(int value) { return value == static_cast<int>(Choice::No) ? Choice::No : Choice::Yes; }

int Index(Choice choice) { return static_cast<int>(choice); }

}  // namespace

TW42VideoBlocker::TW42VideoBlocker(Registry& registry, const Settings& settings, Prompts& prompts)
    : registry_(registry), settings_(settings), prompts_(prompts) {
  Form.SetVisible(false);  // created hidden; the main window's commands show it
  const auto switches = Switches();
  for (std::size_t at = 0; at < switches.size(); ++at) {
    TaggedRadioGroup& group = *switches[at];
    group.Tag = kRichMediaSwitches[at].number;
    group.SetCaption(kRichMediaSwitches[at].caption);
    group.Items = {"Yes", "No"};
    group.SetItemIndex(Index(Choice::Yes));  // before the handler is attached: nothing is written
    group.OnClick = [this, tag = group.Tag] { RadioGroupClick(tag); };
  }
  RadioGroup6.SetCaption("Global s&ettings");
  RadioGroup6.Items = {"Yes to all", "No to all", "Defaults"};
  RadioGroup6.OnClick = [this] { RadioGroup6Click(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Button1.SetCaption(kMonitorCaption);
  Button1.OnClick = [this] { Button1Click(); };
  Button4.SetCaption("&Close");
  Button4.OnClick = [this] { Button4Click(); };
  Image1.SetImageIndex(kMonitorOffImage);
}

std::array<TaggedRadioGroup*, kSwitchCount> TW42VideoBlocker::Switches() {
  return {&RadioGroup1, &RadioGroup2, &RadioGroup3, &RadioGroup4, &RadioGroup5};
}

TaggedRadioGroup& TW42VideoBlocker::Switch(int tag) {
  for (TaggedRadioGroup* group : Switches()) {
    if (group->Tag == tag) return *group;
  }
  throw std::out_of_range("No rich-media switch has the tag " + std::to_string(tag));
}

void TW42VideoBlocker::FormCreate() {
  if (settings_.BanSelected) Button1Click();
  // Groups start at "Yes": only a stored "No" changes one, which applies it.
  for (TaggedRadioGroup* group : Switches()) {
    group->SetItemIndex(Index(StoredChoice(ReadSettings(std::to_string(group->Tag), 0))));
  }
  Form.SetCaption(kApplicationTitle);
}

void TW42VideoBlocker::RadioGroupClick(int tag) {
  const int selection = Switch(tag).ItemIndex();
  registry_.CreateKey(kCurrentUser, kBrowserMainKey);
  SaveSettings(std::to_string(tag), selection);
  WriteBrowserSwitch(registry_, tag, selection == Index(Choice::Yes) ? Choice::Yes : Choice::No);
}

void TW42VideoBlocker::RadioGroup6Click() {
  const int selected = RadioGroup6.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(RadioGroup6.Items.size())) return;
  const auto profile = static_cast<Profile>(selected);
  for (TaggedRadioGroup* group : Switches()) {
    const int choice = Index(ProfileChoice(profile, group->Tag));
    group->SetItemIndex(choice);  // applies the switch when its selection changes
    SaveSettings(std::to_string(group->Tag), choice);
  }
}

void TW42VideoBlocker::Button1Click() {
  const bool switchingOn = !monitorOn_;
  Image1.SetImageIndex(switchingOn ? kMonitorOnImage : kMonitorOffImage);
  Button1.SetCaption(switchingOn ? kStopMonitorCaption : kMonitorCaption);
  monitorOn_ = switchingOn;
  Timer1Timer();  // also when switching off: one last pass; it arms or stops the timer
}

void TW42VideoBlocker::Timer1Timer() {
  // The timer rests while the pass and its error box last: the box runs
  // messages, and a refused write every 5 seconds would stack boxes.
  Timer1.SetEnabled(false);
  try {
    registry_.CreateKey(kCurrentUser, kBrowserMainKey);
    for (const RichMediaSwitch& entry : kRichMediaSwitches) {
      const std::string name = std::to_string(entry.number);
      if (ReadSettings(name, Index(entry.monitorDefault)) == Index(Choice::No)) {
        WriteBrowserSwitch(registry_, entry.number, Choice::No);
      }
    }
  } catch (const PlatformError& error) {
    prompts_.ShowError(error.what());
  }
  // Switched off meanwhile (or by the click that ran this last pass): it stays off.
  Timer1.SetEnabled(monitorOn_);
}

void TW42VideoBlocker::Button4Click() {
  prompts_.Message(MessageKind::Information, kBrowserRestartNotice, MessageButtons::Ok);
  Close();
}

void TW42VideoBlocker::Close() { Form.SetVisible(false); }

int TW42VideoBlocker::ReadSettings(const std::string& name, int fallback) {
  registry_.CreateKey(kCurrentUser, kSettingsKeyPath);
  const auto value = registry_.ReadValue(kCurrentUser, kSettingsKeyPath, name);
  if (!value) return fallback;
  switch (value->kind) {
    case ValueKind::Dword: return static_cast<int>(value->number);
    case ValueKind::String: return ParseInteger(value->text).value_or(fallback);
    case ValueKind::Other: break;
  }
  return fallback;
}

void TW42VideoBlocker::SaveSettings(const std::string& name, int value) {
  if (!registry_.CreateKey(kCurrentUser, kSettingsKeyPath)) return;
  try {
    registry_.WriteDword(kCurrentUser, kSettingsKeyPath, name, static_cast<std::uint32_t>(value));
  } catch (const PlatformError&) {
    // A key the user may read but not write: the choice is lost silently,
    // as with a key that cannot be opened, and the switch still applies.
  }
}

}  // namespace vandrel
