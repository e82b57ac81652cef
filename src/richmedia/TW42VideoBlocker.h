#pragma once
#include <array>
#include <string>

#include "platform/Registry.h"
#include "richmedia/BrowserSwitches.h"
#include "settings/Settings.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kBrowserRestartNotice =
    "Any changes that you make will take an effect\r\n"
    "the next time you open a new browser window or restart\r\n"
    "Internet Explorer (close all opened windows).";
inline constexpr const char* kMonitorCaption = "M&onitor";
inline constexpr const char* kStopMonitorCaption = "Stop m&onitor";
inline constexpr int kMonitorInterval = 5000;
inline constexpr int kMonitorOffImage = 0;
inline constexpr int kMonitorOnImage = 1;

// The rich-media window's form: the five browser switches, the global
// profiles and the monitor that re-applies every "No" choice. The user's
// choices are kept as DWORD values "1" to "5" of the settings key.
class TW42VideoBlocker {
 public:
  // `settings` is read when the form is created (BanSelected).
  TW42VideoBlocker(Registry& registry, const Settings& settings, Prompts& prompts);
  TW42VideoBlocker(const TW42VideoBlocker&) = delete;
  TW42VideoBlocker& operator=(const TW42VideoBlocker&) = delete;

  FormModel Form;
  TaggedRadioGroup RadioGroup1, RadioGroup2, RadioGroup3, RadioGroup4, RadioGroup5;
  // "Global s&ettings"; Block 100% selects its items from code.
  RadioGroup RadioGroup6;
  Timer Timer1{kMonitorInterval, false};
  Button Button1;
  Button Button4;
  Picture Image1;

  void FormCreate();
  // Applies the switch whose group has the Tag `tag`.
  void RadioGroupClick(int tag);
  void RadioGroup6Click();
  void Button1Click();
  // One monitor pass: writes the browser value of every switch whose stored
  // choice is "No".
  void Timer1Timer();
  void Button4Click();
  // The title bar's close box: hides the window without a word.
  void Close();

  // The stored choice `name`; a string is read as decimal text. Absent,
  // unparsable or of another type: `fallback`.
  int ReadSettings(const std::string& name, int fallback);
  // Writes the choice as a DWORD; nothing, silently, when the settings key
  // cannot be opened or refuses the write.
  void SaveSettings(const std::string& name, int value);

  bool MonitorOn() const { return monitorOn_; }
  TaggedRadioGroup& Switch(int tag);

 private:
  std::array<TaggedRadioGroup*, kSwitchCount> Switches();

  Registry& registry_;
  const Settings& settings_;
  Prompts& prompts_;
  bool monitorOn_ = false;
};

}  // namespace vandrel
