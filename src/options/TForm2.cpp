#include "options/TForm2.h"

#include "eraser/EraseStepSettings.h"
#include "platform/PlatformError.h"
#include "settings/SettingsStore.h"
#include "settings/SharedRegistryPlaces.h"

namespace vandrel {
namespace {

constexpr const char* kClearsRecentFiles = "Clears most recent files list.";

void Label(ControlModel& control, const char* caption, const char* hint = "") {
  control.SetCaption(caption);
  control.SetHint(hint);
}

// How one control shows a setting, and what it gives back.
void Show(CheckBox& box, bool checked) { box.SetChecked(checked); }
void Show(SpinEdit& spin, int value) { spin.SetValue(value); }
void Show(Edit& edit, const std::string& text) { edit.SetText(text); }
void Show(RadioGroup& group, int item) {
  // A stored choice beyond the items selects the last one, below them none.
  const int lastItem = static_cast<int>(group.Items.size()) - 1;
  group.SetItemIndex(item < 0 ? -1 : (item > lastItem ? lastItem : item));
}
bool Taken(const CheckBox& box) { return box.Checked(); }
int Taken(const SpinEdit& spin) { return spin.Value(); }
std::string Taken(const Edit& edit) { return edit.Text(); }
int Taken(const RadioGroup& group) { return group.ItemIndex(); }

// One setting and the control of the dialog that edits it.
struct SettingBinding {
  void (*show)(TForm2& form, const Settings& values);
  void (*take)(const TForm2& form, Settings& values);
};

template <auto field, auto control>
constexpr SettingBinding Bind() {
  return {[](TForm2& form, const Settings& values) { Show(form.*control, values.*field); },
          [](const TForm2& form, Settings& values) { values.*field = Taken(form.*control); }};
}

// Every setting the dialog edits (the confirmations and the interval are the
// record's own), in the order the controls take them: All comes before the
// three boxes it governs, which then take their own states.
constexpr SettingBinding kSettingBindings[] = {
    Bind<&Settings::All, &TForm2::All>(),
    Bind<&Settings::LocationBar, &TForm2::eLocationBar>(),
    Bind<&Settings::Recent, &TForm2::eRecent>(),
    Bind<&Settings::TempFolder, &TForm2::eTempFolder>(),
    Bind<&Settings::RecycledBin, &TForm2::eBin>(),
    Bind<&Settings::Cache, &TForm2::eCache>(),
    Bind<&Settings::Cookies, &TForm2::eCookies>(),
    Bind<&Settings::Bookmarks, &TForm2::eBookmarks>(),
    Bind<&Settings::History, &TForm2::eHistory>(),
    Bind<&Settings::MPlayer, &TForm2::eMPlayer>(),
    Bind<&Settings::RealOne, &TForm2::eRealOne>(),
    Bind<&Settings::LimitEnabled, &TForm2::Limit>(),
    Bind<&Settings::LimitWindows, &TForm2::MaxWindows>(),
    Bind<&Settings::LimitClose, &TForm2::WhenStarted>(),
    Bind<&Settings::LetClickedThrough, &TForm2::ClickedThrough>(),
    Bind<&Settings::ExitOnClose, &TForm2::EOC>(),
    Bind<&Settings::AutoStart, &TForm2::AutoStart>(),
    Bind<&Settings::HomePageIE, &TForm2::HomePage>(),
    Bind<&Settings::SetHomePage, &TForm2::SetPage>(),
    Bind<&Settings::StartWithWindows, &TForm2::WinStart>(),
    Bind<&Settings::StartMinimized, &TForm2::MinimizeOnStart>(),
    Bind<&Settings::SoundEnabled, &TForm2::Sound>(),
    Bind<&Settings::SoundFile, &TForm2::WavFile>(),
    Bind<&Settings::AutoSuggest, &TForm2::AutoSuggest>(),
    Bind<&Settings::BanSelected, &TForm2::BanSelectedS>(),
};

}  // namespace

TForm2::TForm2(Registry& registry, vandrel::Sound& sound, SystemInfo& system, ServiceControlManager& services,
               WaitLoop& waitLoop, Settings& record, Timer& scanTimer, Prompts& prompts)
    : SrvCtrl1(services, waitLoop),
      Messenger(SrvCtrl1, system, prompts),
      registry_(registry),
      sound_(sound),
      system_(system),
      record_(record),
      scanTimer_(scanTimer),
      prompts_(prompts) {
  Form.SetCaption(kOptionsCaption);
  Form.SetVisible(false);
  PageControl1.Pages = {"&Popup", "Flash &Ads", "E&raser", "Mi&sc", "Messen&ger"};

  Label(GroupBox1, "  Popup blocking options  ");
  Label(Limit, "&Limit max opened windows",
        "Allows to limit max opened windows. When the number is reached, the next opened window will be "
        "closed.");
  Label(MaxWindows, "", "Limit");
  Label(WhenStarted, "When started",
        "When the program starts and the number of opened windows is more than the limit set above, what to "
        "do.");
  WhenStarted.Items = {"L&imit number of windows as set.", "E&xpand the limit (max 15)."};
  Label(RadioGroup1, "Time to check in seconds", "How often to check for pop up windows.");
  RadioGroup1.Items = {"&0.1", "0.&5", "&1.0", "&2.0"};
  Label(ClickedThrough, "Let windows I open with a clic&k through",
        "A window opened by a click or the Enter key in a browser window is not closed as a pop-up.");

  Label(GroupBox2, " Flash ads block options  ");
  Label(BanSelectedS, "&Ban selected items on startup");

  Label(GroupBox3, "  What to clean  ");
  Label(IEFrame, "Internet Explorer");
  Label(WindowsFrame, "Windows");
  Label(MediaFrame, "Media");
  Label(eCache, "C&ache + cache index.dat", "Erases cached pages, pictures and other files.");
  Label(eCookies, "Coo&kies + cookies index.dat", "Erases stored Cookies");
  Label(eHistory, "&History + history index.dat", "Erases history of the visited pages and typed URLs");
  Label(All, "Cl&ear all IE files + all hidden &index.dat files",
        "Clears all internet explorer files - cookies, cache, history etc at once. Clears stored passwords "
        "for forms too.");
  Label(eBookmarks, "&Favorites", "Erases saved Bookmarks");
  Label(eLocationBar, "&Location bar URLs", "Clears all typed into Internet Explorer location bar URLs.");
  Label(eRecent, "R&ecent files", kClearsRecentFiles);
  Label(eTempFolder, "&Temp folder", "Erases windows temp folder.");
  Label(eBin, "Recycle &bin", kClearsRecentFiles);
  Label(eMPlayer, "&Media Player recent files", kClearsRecentFiles);
  Label(eRealOne, "Real O&ne recent files", kClearsRecentFiles);

  Label(GroupBox4, "  Miscellaneous settings  ");
  Label(EOC, "E&xit on close", "If you press X on the main form whether to close or to minimize to system tray.");
  Label(AutoStart, "S&tart blocking popups when the program starts",
        "If checked, the popup blocker will start automatically when the program starts.");
  Label(WinStart, "R&un this program when Windows starts", "Run this program when Windows starts");
  Label(MinimizeOnStart, "On start minimi&ze to the system tray", "On start minimize to the system tray");
  Label(SetPage, "Set this &home page");
  Label(Button1, "Reset &warnings", "Reset delete from block list and exit confirmations.");
  Label(KeptCookies, "Cookies to keep...", "The sites whose cookies the erase keeps, and every host below them.");
  Label(Sound, "Sou&nd effect on close popups");
  Label(Label1, "&File name:");
  Label(SelWavBut, "S&elect");
  Label(AutoSuggest, "Disable &auto suggest",
        "Do not show suggestions when you type an url in the Internet Explorer's address bar.");
  // The designed state; its handler is wired after, so making the form writes nothing.
  AutoSuggest.SetChecked(true);

  Label(OK, "&OK", "Saves options to the Registry");
  Label(Cancel, "&Cancel", "Revert the changes");
  Label(Defaults, "&Defaults", "Reset to Defaults");

  All.OnClick = [this] { AllClick(); };
  Sound.OnClick = [this] { SoundClick(); };
  AutoSuggest.OnClick = [this] { AutoSuggestClick(); };
  OK.OnClick = [this] { OKClick(); };
  Cancel.OnClick = [this] { CancelClick(); };
  Defaults.OnClick = [this] { DefaultsClick(); };
  Button1.OnClick = [this] { Button1Click(); };
  KeptCookies.OnClick = [this] {
    if (openCookiesToKeep) openCookiesToKeep();
  };
  Test.OnClick = [this] { TestClick(); };
  SelWavBut.OnClick = [this] { SelWavButClick(); };
}

void TForm2::FormCreate() {
  LoadReporting(record_);
  ShowStored(record_);
}

void TForm2::LoadReporting(Settings& values) {
  // A value of the wrong type is reported; the controls still take every
  // value read (the damaged one at its default).
  try {
    LoadSettings(registry_, values);
  } catch (const PlatformError& error) {
    prompts_.ShowError(error.what());
  }
}

void TForm2::ShowStored(const Settings& values) {
  SetControls(values);
  SoundClick();
  SelectInterval(values.TimerInterval);
  WriteHomePageWhenSet();
  PageControl1.SetActivePage(0);
  Messenger.ClearBusy();
}

void TForm2::SetControls(const Settings& values) {
  for (const SettingBinding& binding : kSettingBindings) binding.show(*this, values);
}

void TForm2::SelectInterval(int storedInterval) {
  int item = kFallbackIntervalItem;
  for (std::size_t i = 0; i < kCheckIntervals.size(); ++i) {
    if (kCheckIntervals[i] == storedInterval) item = static_cast<int>(i);
  }
  RadioGroup1.SetItemIndex(item);
  // The record keeps the stored number until the next store.
  scanTimer_.SetInterval(kCheckIntervals[static_cast<std::size_t>(item)]);
}

void TForm2::WriteHomePageWhenSet() {
  if (!SetPage.Checked() || HomePage.Text().size() <= kShortestHomePageNotWritten) return;
  registry_.WriteString(RootKey::CurrentUser, kBrowserMainKeyPath, kStartPageValue, HomePage.Text());
}

void TForm2::FormShow() { Messenger.FormShow(); }

void TForm2::Options2Click() {
  if (showModal) showModal();
}

std::optional<int> TForm2::ChosenInterval() const {
  const int item = RadioGroup1.ItemIndex();
  if (item < 0 || item >= static_cast<int>(kCheckIntervals.size())) return std::nullopt;
  return kCheckIntervals[static_cast<std::size_t>(item)];
}

Settings TForm2::ValuesToStore() const {
  Settings values = record_;
  for (const SettingBinding& binding : kSettingBindings) binding.take(*this, values);
  return values;
}

EraseSelection TForm2::Current() { return ChosenSteps(ValuesToStore()); }

void TForm2::OKClick() {
  // The record takes the controls (its confirmations and interval are its
  // own; the store applies the chosen interval to both).
  const Settings values = ValuesToStore();
  const bool deleteConfirm = record_.DeleteConfirm, exitConfirm = record_.ExitConfirm;
  const int interval = record_.TimerInterval;
  record_ = values;
  record_.DeleteConfirm = deleteConfirm;
  record_.ExitConfirm = exitConfirm;
  record_.TimerInterval = interval;
  if (storeSettings) storeSettings();

  const std::string executable = system_.ExecutablePath();
  if (WinStart.Checked()) {
    registry_.WriteString(RootKey::CurrentUser, kRunKeyPath, kRunValueName, RunValueFor(executable));
  } else {
    registry_.DeleteValue(RootKey::CurrentUser, kRunKeyPath, kRunValueName);
  }
  Form.SetVisible(false);
  WriteHomePageWhenSet();
  if (endBlock100) endBlock100();
}

void TForm2::CancelClick() {
  // The controls go back to the stored values; the running values stay as
  // they are: Block 100% keeps its forced limit while its button says so,
  // and only OK changes them.
  Settings stored = record_;
  LoadReporting(stored);
  ShowStored(stored);
  Form.SetVisible(false);
}

void TForm2::DefaultsClick() {
  if (prompts_.Message(MessageKind::Confirmation, kResetAllQuestion, MessageButtons::OkCancel) != Answer::Ok) return;
  SetControls(Settings{});
  RadioGroup1.SetItemIndex(0);
  ResetConfirmations();
  prompts_.Message(MessageKind::Information, kDefaultsSet, MessageButtons::Ok);
}

void TForm2::ResetConfirmations() {
  record_.DeleteConfirm = true;
  record_.ExitConfirm = true;
  StoreBoolSetting(registry_, "DeleteConfirm", true);
  StoreBoolSetting(registry_, "ExitConfirm", true);
}

void TForm2::Button1Click() {
  ResetConfirmations();
  prompts_.Message(MessageKind::Information, kWarningsReset, MessageButtons::Ok);
}

void TForm2::MaxWindowsKeyDown(int& key) {
  if (key != kEscapeKey) return;
  key = 0;
  Cancel.Click();
}

void TForm2::AllClick() {
  const bool all = All.Checked();
  for (CheckBox* governed : {&eCache, &eCookies, &eHistory}) {
    if (all) governed->SetChecked(true);
    governed->SetEnabled(!all);
  }
}

void TForm2::SoundClick() {
  const bool on = Sound.Checked();
  WavFile.SetEnabled(on);
  SelWavBut.SetEnabled(on);
  Test.SetEnabled(on);
}

void TForm2::TestClick() {
  if (WavFile.Text().empty()) {
    prompts_.ShowError(kSelectWavFile);
    return;
  }
  sound_.PlayFileAsync(WavFile.Text());
}

void TForm2::SelWavButClick() {
  FileDialogRequest request;
  request.title = kSelectWavTitle;
  request.filter = kWavFilter;
  request.defaultExtension = ".wav";
  request.keepOutOfRecentDocuments = true;
  if (const auto chosen = prompts_.OpenFile(request)) WavFile.SetText(*chosen);
}

void TForm2::AutoSuggestClick() {
  const bool disabled = AutoSuggest.Checked();
  registry_.WriteString(RootKey::CurrentUser, kAutoCompleteKeyPath, kAutoSuggestValue, disabled ? "no" : "yes");
  if (Form.Visible() && disabled) {
    prompts_.Message(MessageKind::Information, kAutoSuggestDisabled, MessageButtons::Ok);
  }
}

}  // namespace vandrel
