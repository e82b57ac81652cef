#pragma once
#include <string>

namespace vandrel {

inline constexpr const char* kDefaultHomePage = "http://www.korvane.example/";
inline constexpr const char* kDefaultSoundFile = "Pop.wav";

// The program's options while it runs, one field per value of the settings
// key, named as the values are (RecycledBin is the value "Recycled Bin").
// The initialisers are the defaults a missing value yields.
struct Settings {
  bool DeleteConfirm = true;
  bool ExitConfirm = true;
  bool LimitEnabled = false;
  int LimitWindows = 5;
  int TimerInterval = 100;
  int LimitClose = 0;
  // A click or key press in a browser frame lets the window it opens through.
  bool LetClickedThrough = true;
  bool Cache = true;
  bool All = false;
  bool LocationBar = false;
  bool Recent = true;
  bool TempFolder = true;
  bool RecycledBin = true;
  bool Cookies = true;
  bool Bookmarks = false;
  bool History = true;
  bool MPlayer = true;
  bool RealOne = true;
  bool ExitOnClose = false;
  bool AutoStart = true;
  bool AutoSuggest = true;
  bool SetHomePage = false;
  std::string HomePageIE = kDefaultHomePage;
  bool StartWithWindows = true;
  bool StartMinimized = false;
  bool SoundEnabled = true;
  std::string SoundFile = kDefaultSoundFile;
  bool BanSelected = false;
  // The tray's balloon about the windows the scan closed; written at once
  // when the tray menu turns it over, never by the options dialog.
  bool NoticeEnabled = true;

  bool operator==(const Settings&) const = default;
};

// LimitClose: what the first scan does with more browser windows than the limit.
inline constexpr int kLimitAsSet = 0;
inline constexpr int kExpandLimit = 1;
inline constexpr int kMaxExpandedLimit = 15;

}  // namespace vandrel
