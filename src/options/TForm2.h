#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "eraser/EraseChoices.h"
#include "options/MessengerPage.h"
#include "platform/Registry.h"
#include "platform/ServiceControlManager.h"
#include "platform/WaitLoop.h"
#include "platform/Sound.h"
#include "platform/SystemInfo.h"
#include "settings/LiveSettings.h"
#include "settings/Settings.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kOptionsCaption = "Options";
inline constexpr const char* kStartPageValue = "Start Page";
inline constexpr const char* kAutoCompleteKeyPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
inline constexpr const char* kAutoSuggestValue = "AutoSuggest";
inline constexpr const char* kResetAllQuestion = "Do you really want to reset all the settings to defaults?";
inline constexpr const char* kDefaultsSet = "All options and confirmations are set to their default values.";
inline constexpr const char* kWarningsReset = "Delete and exit confirmation warnings set to defaults!";
inline constexpr const char* kSelectWavFile = "Please select a wav file for test";
inline constexpr const char* kAutoSuggestDisabled =
    "Auto suggest is disabled. Change will take effect after opening of new Internet Explorer window.";
inline constexpr const char* kSelectWavTitle = "Select a wav file";
inline constexpr const char* kWavFilter = "wav files|*.wav|All files|*.*";
// A home page this short or shorter is not written to the browser.
inline constexpr std::size_t kShortestHomePageNotWritten = 5;

// The scan intervals that the four items of "Time to check in seconds" stand for.
inline constexpr std::array<int, 4> kCheckIntervals{100, 500, 1000, 2000};
inline constexpr int kFallbackIntervalItem = 1;  // "0.&5", for any other stored number

// The options dialog: every setting on its pages, written back on OK. It is
// created hidden at start-up and lives for the whole run, so its controls
// are the working copy of the settings that the scan, the close box and the
// eraser read (LiveSettings). OK and Cancel reach the scan timer, the main
// window's store and Block 100% through the hooks the composition root sets.
class TForm2 : public LiveSettings, public EraseChoices {
 public:
  TForm2(Registry& registry, vandrel::Sound& sound, SystemInfo& system, ServiceControlManager& services,
         WaitLoop& waitLoop, Settings& record, Timer& scanTimer, Prompts& prompts);
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  FormModel Form;
  PageControl PageControl1;  // TabSheet1, 3, 2, 4 and 5, in that order

  ControlModel GroupBox1, GroupBox2, GroupBox3, GroupBox4, IEFrame, WindowsFrame, MediaFrame;
  CheckBox Limit;
  SpinEdit MaxWindows{1, kMaxExpandedLimit};
  RadioGroup WhenStarted, RadioGroup1;
  CheckBox ClickedThrough;
  CheckBox BanSelectedS;
  CheckBox eCache, eCookies, eHistory, All, eBookmarks, eLocationBar;
  CheckBox eRecent, eTempFolder, eBin, eMPlayer, eRealOne;
  Button KeptCookies;  // "Cookies to keep...": runs openCookiesToKeep
  CheckBox EOC, AutoStart, WinStart, MinimizeOnStart, SetPage;
  Edit HomePage;
  Button Button1;
  CheckBox Sound;
  ControlModel Label1;
  Edit WavFile;
  Button SelWavBut, Test;
  CheckBox AutoSuggest;
  Button OK, Cancel, Defaults;
  // The service controller the Messenger page drives, and that page.
  TSrvCtrl SrvCtrl1;
  MessengerPage Messenger;

  // Set by the composition root: writes every setting from these controls
  // (the main window's store, which also applies the chosen interval).
  std::function<void()> storeSettings;
  // Set by the composition root: ends Block 100% without restoring its values.
  std::function<void()> endBlock100;
  // Set by whoever shows the dialog: shows it modally, returns once closed.
  std::function<void()> showModal;
  // Set by the composition root: the window of the sites whose cookies stay.
  std::function<void()> openCookiesToKeep;

  // Creation: the settings are read again into the record and every control set.
  void FormCreate();
  void FormShow();
  void OKClick();
  // Every control shows the stored values again; the record is not touched.
  void CancelClick();
  void DefaultsClick();
  void Button1Click();
  // Esc in the spin box presses Cancel; the key is cleared then.
  void MaxWindowsKeyDown(int& key);
  void AllClick();
  void SoundClick();
  void TestClick();
  void SelWavButClick();
  void AutoSuggestClick();
  // The caption bar's close box: hidden, the edits kept unsaved.
  void FormClose() { Form.SetVisible(false); }
  // The Options command of the toolbar and the menu.
  void Options2Click();

  // LiveSettings
  bool SoundChecked() const override { return Sound.Checked(); }
  std::string SoundFileText() const override { return WavFile.Text(); }
  bool ExitOnCloseChecked() const override { return EOC.Checked(); }
  void SetMaxWindows(int limit) override { MaxWindows.SetValue(limit); }
  std::optional<int> ChosenInterval() const override;
  Settings ValuesToStore() const override;
  // EraseChoices: the eraser page's boxes as they are now.
  EraseSelection Current() override;

 private:
  // Reads the settings key into `values`, reporting a damaged value.
  void LoadReporting(Settings& values);
  // The controls show `values`, with the side effects of a fresh start.
  void ShowStored(const Settings& values);
  void SetControls(const Settings& values);
  void SelectInterval(int storedInterval);
  void WriteHomePageWhenSet();
  void ResetConfirmations();

  Registry& registry_;
  vandrel::Sound& sound_;
  SystemInfo& system_;
  Settings& record_;
  Timer& scanTimer_;
  Prompts& prompts_;
};

}  // namespace vandrel
