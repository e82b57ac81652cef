#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// A mask that picks every entry of a folder: only wildcards and dots
// ("*.*", "*", "*.", "????????.???"), or nothing at all.
bool MatchesEverything(std::string_view mask);
// A mask that names entries of one folder only: no separator, drive or "..".
bool IsSingleFolderMask(std::string_view mask);
// Whether a name matches a mask the way the folder listing does: '*' any
// run of characters, '?' one, ASCII letter case ignored, and "*.*" also
// matching names without a dot.
bool MatchesMask(std::string_view name, std::string_view mask);
// The folder's shell settings file, which the erase steps keep.
bool IsDesktopIni(std::string_view name);

// The entries directly in a delete's folder that stay: a step's own folder
// keeps its desktop.ini, and the cookie step, while it keeps cookies, its
// index and the kept cookies' files. Names compare ignoring ASCII case.
struct KeptNames {
  KeptNames(bool keepDesktopIni = false) : desktopIni(keepDesktopIni) {}  // NOLINT: a bool says desktop.ini alone
  bool desktopIni;
  std::vector<std::string> names;
  bool Keeps(std::string_view name, bool isFolder) const;
};

}  // namespace vandrel
