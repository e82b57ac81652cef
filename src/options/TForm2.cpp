#include "options/TForm2.h"

#include "app/MainWindow.h"
#include "app/ProgramEntry.h"
#include "platform/PlatformError.h"
#include "settings/SettingsStore.h"

namespace vandrel {
namespace {

constexpr const char* kClearsRecentFiles = "Clears most recent files list.";

void Label(ControlModel& control, const char* caption, const char* hint = "") {
  control.SetCaption(caption);
  control.SetHint(hint);
}

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
  Test.OnClick = [this] { TestClick(); };
  SelWavBut.OnClick = [this] { SelWavButClick(); };
}

void TForm2::FormCreate() {
  // A value of the wrong type is reported; the controls still take every
  // value read (the damaged one at its default).
  try {
    LoadSettings(registry_, record_);
  } catch (const PlatformError& error) {
    prompts_.ShowError(error.what());
  }
  SetControls(record_);
  SoundClick();
  SelectInterval(record_.TimerInterval);
  WriteHomePageWhenSet();
  PageControl1.SetActivePage(0);
  Messenger.ClearBusy();
}

void TForm2::SetControls(const Settings& values) {
  // All comes before the three boxes it governs, which then take their own states.
  All.SetChecked(values.All);
  eLocationBar.SetChecked(values.LocationBar);
  eRecent.SetChecked(values.Recent);
  eTempFolder.SetChecked(values.TempFolder);
  eBin.SetChecked(values.RecycledBin);
  eCache.SetChecked(values.Cache);
  eCookies.SetChecked(values.Cookies);
  eBookmarks.SetChecked(values.Bookmarks);
  eHistory.SetChecked(values.History);
  eMPlayer.SetChecked(values.MPlayer);
  eRealOne.SetChecked(values.RealOne);
  Limit.SetChecked(values.LimitEnabled);
  MaxWindows.SetValue(values.LimitWindows);
  // A stored choice beyond the items selects the last one, below them none.
  const int lastChoice = static_cast<int>(WhenStarted.Items.size()) - 1;
  WhenStarted.SetItemIndex(values.LimitClose < 0 ? -1 : (values.LimitClose > lastChoice ? lastChoice : values.LimitClose));
  EOC.SetChecked(values.ExitOnClose);
  AutoStart.SetChecked(values.AutoStart);
  HomePage.SetText(values.HomePageIE);
  SetPage.SetChecked(values.SetHomePage);
  WinStart.SetChecked(values.StartWithWindows);
  MinimizeOnStart.SetChecked(values.StartMinimized);
  Sound.SetChecked(values.SoundEnabled);
  WavFile.SetText(values.SoundFile);
  AutoSuggest.SetChecked(values.AutoSuggest);
  BanSelectedS.SetChecked(values.BanSelected);
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
  values.LimitEnabled = Limit.Checked();
  values.LimitWindows = MaxWindows.Value();
  values.LimitClose = WhenStarted.ItemIndex();
  values.Cache = eCache.Checked();
  values.All = All.Checked();
  values.LocationBar = eLocationBar.Checked();
  values.Recent = eRecent.Checked();
  values.TempFolder = eTempFolder.Checked();
  values.RecycledBin = eBin.Checked();
  values.Cookies = eCookies.Checked();
  values.Bookmarks = eBookmarks.Checked();
  values.History = eHistory.Checked();
  values.MPlayer = eMPlayer.Checked();
  values.RealOne = eRealOne.Checked();
  values.ExitOnClose = EOC.Checked();
  values.AutoStart = AutoStart.Checked();
  values.AutoSuggest = AutoSuggest.Checked();
  values.SetHomePage = SetPage.Checked();
  values.HomePageIE = HomePage.Text();
  values.StartWithWindows = WinStart.Checked();
  values.StartMinimized = MinimizeOnStart.Checked();
  values.SoundEnabled = Sound.Checked();
  values.SoundFile = WavFile.Text();
  values.BanSelected = BanSelectedS.Checked();
  return values;
}

EraseSelection TForm2::Current() {
  EraseSelection chosen;
  chosen.cache = eCache.Checked();
  chosen.cookies = eCookies.Checked();
  chosen.history = eHistory.Checked();
  chosen.all = All.Checked();
  chosen.favorites = eBookmarks.Checked();
  chosen.locationBar = eLocationBar.Checked();
  chosen.recent = eRecent.Checked();
  chosen.tempFolder = eTempFolder.Checked();
  chosen.recycleBin = eBin.Checked();
  chosen.mediaPlayer = eMPlayer.Checked();
  chosen.realOne = eRealOne.Checked();
  return chosen;
}

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
  FormCreate();
  Form.SetVisible(false);
}

void TForm2::DefaultsClick() {
  if (prompts_.Message(MessageKind::Confirmation, kResetAllQuestion, MessageButtons::OkCancel) != Answer::Ok) return;
  const Settings defaults;
  Limit.SetChecked(defaults.LimitEnabled);
  MaxWindows.SetValue(defaults.LimitWindows);
  RadioGroup1.SetItemIndex(0);
  WhenStarted.SetItemIndex(kLimitAsSet);
  All.SetChecked(defaults.All);
  SetPage.SetChecked(defaults.SetHomePage);
  HomePage.SetText(defaults.HomePageIE);
  eLocationBar.SetChecked(defaults.LocationBar);
  eRecent.SetChecked(defaults.Recent);
  eTempFolder.SetChecked(defaults.TempFolder);
  eBin.SetChecked(defaults.RecycledBin);
  eCache.SetChecked(defaults.Cache);
  eCookies.SetChecked(defaults.Cookies);
  eBookmarks.SetChecked(defaults.Bookmarks);
  eHistory.SetChecked(defaults.History);
  eMPlayer.SetChecked(defaults.MPlayer);
  eRealOne.SetChecked(defaults.RealOne);
  EOC.SetChecked(defaults.ExitOnClose);
  AutoStart.SetChecked(defaults.AutoStart);
  WinStart.SetChecked(defaults.StartWithWindows);
  MinimizeOnStart.SetChecked(defaults.StartMinimized);
  Sound.SetChecked(defaults.SoundEnabled);
  WavFile.SetText(defaults.SoundFile);
  AutoSuggest.SetChecked(defaults.AutoSuggest);
  BanSelectedS.SetChecked(defaults.BanSelected);
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
  registry_.WriteString(RootKey::CurrentUser, kAutoCompleteKeyPath, kAutoSuggestValue,
                                 disabled ? "no" : "yes");
  if (Form.Visible() && disabled) {
    prompts_.Message(MessageKind::Information, kAutoSuggestDisabled, MessageButtons::Ok);
  }
}

}  // namespace vandrel
