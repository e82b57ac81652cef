#include "eraser/OtherTraces.h"

#include <initializer_list>

#include "platform/FullPath.h"
#include "platform/PlatformError.h"

namespace vandrel {

namespace {

constexpr const char* kRealPreferences = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
constexpr const char* kRealMainApp = "SOFTWARE\\Classes\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MainApp";
constexpr const char* kMediaPlayerKey = "Software\\Microsoft\\MediaPlayer\\Player\\";
constexpr auto kRealPlayerFiles = {"ctd.dat", "realplayer.ste", "urls.ini"};

// Deletes the keys; a missing key or one the user may not delete is passed
// over, and only a failure of the registry itself is told.
void DeleteKeys(EraseTools& tools, RootKey root, std::initializer_list<const char*> paths, const char* failureText) {
  try {
    for (const char* path : paths) tools.registry.DeleteKeyTree(root, path);
  } catch (const PlatformError&) {
    tools.Inform(failureText);
  }
}

// The numbered clip lists; the registry's own failures pass silently here,
// as the step has no message of its own.
void DeleteNumberedKeys(EraseTools& tools, RootKey root, const std::string& stem) {
  for (int number = 1; number <= 10; ++number) {
    const std::string path = stem + std::to_string(number);
    try {
      if (tools.registry.KeyExists(root, path)) tools.registry.DeleteKeyTree(root, path);
    } catch (const PlatformError&) {
    }
  }
}

// The folder part of the player's path, with its last backslash; empty
// when the path has none.
std::string FolderOf(const std::string& program) {
  const auto slash = program.rfind('\\');
  return slash == std::string::npos ? std::string{} : program.substr(0, slash + 1);
}

std::string RealPlayerFolder(EraseTools& tools) {
  if (!tools.registry.KeyExists(RootKey::LocalMachine, kRealMainApp)) {
    return PathUnder(tools.shell.SpecialFolderPath(SpecialFolder::Programs), "Real\\RealOne Player\\");
  }
  const auto program = tools.registry.ReadPath(RootKey::LocalMachine, kRealMainApp, "");
  return program ? FolderOf(*program) : std::string{};
}

// The player's files and its history in one folder; nothing when the
// folder was built on an empty base.
void DeletePlayerFiles(EraseTools& tools, const std::string& folder, bool withCookies) {
  if (!ParseFullPath(folder)) return;
  if (withCookies) tools.DeleteFiles(folder, "Cookies.txt");
  for (const char* file : kRealPlayerFiles) tools.DeleteFiles(folder, file);
  tools.DeleteFiles(PathUnder(folder, "history\\"), "*.*");
}

// DeleteFiles on base + relative, skipped when base is empty.
void DeleteUnder(EraseTools& tools, const std::string& base, const char* relative, const char* mask) {
  const std::string folder = PathUnder(base, relative);
  if (!folder.empty()) tools.DeleteFiles(folder, mask);
}

}  // namespace

void EraseFormPasswords(EraseTools& tools) {
  DeleteKeys(tools, RootKey::CurrentUser, {"Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW"},
             kPasswordsNotErased);
}

void EraseRecentFiles(EraseTools& tools) {
  if (tools.ShellFolder("Recent").empty()) {
    tools.Inform(kRecentFolderMissing);
  } else {
    tools.shell.ClearRecentDocuments();
  }
  DeleteKeys(tools, RootKey::CurrentUser,
             {"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List",
              "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"},
             kRecentListsNotErased);
}

void EraseTempFolder(EraseTools& tools) {
  const std::string temp = tools.shell.EnvironmentVariable("Temp");
  if (temp.size() < 4) return tools.Inform(kTempFolderMissing);
  tools.DeleteFiles(temp, "*.*");
}

void EraseRecycleBin(EraseTools& tools) {
  if (!tools.shell.EmptyRecycleBin()) {
    tools.Inform(kShellLibraryMissing, MessageKind::Error);
  }
}

void EraseTypedUrls(EraseTools& tools) {
  DeleteKeys(tools, RootKey::CurrentUser, {"Software\\Microsoft\\Internet Explorer\\TypedURLs"}, kTypedUrlsNotErased);
}

void EraseFavorites(EraseTools& tools) {
  const std::string favorites = tools.ShellFolder("Favorites");
  if (favorites.empty()) return tools.Inform(kFavoritesFolderMissing);
  tools.DeleteFiles(favorites, "*.*");
}

void EraseRealPlayer(EraseTools& tools) {
  const std::string preferences = kRealPreferences;
  DeleteNumberedKeys(tools, RootKey::CurrentUser, preferences + "MostRecentClips");
  DeleteNumberedKeys(tools, RootKey::CurrentUser, preferences + "OpenLocationClips");
  DeleteNumberedKeys(tools, RootKey::LocalMachine, preferences + "MostRecentClips");
  const std::string playerFolder = RealPlayerFolder(tools);
  DeleteUnder(tools, tools.shell.SpecialFolderPath(SpecialFolder::CommonFiles), "Real\\Common\\", "Cookies.txt");
  DeletePlayerFiles(tools, playerFolder, false);
  DeletePlayerFiles(tools, PathUnder(tools.shell.SpecialFolderPath(SpecialFolder::AppData), "Real\\RealOne Player\\"),
                    true);
}

void EraseMediaPlayer(EraseTools& tools) {
  const std::string player = kMediaPlayerKey;
  try {
    for (const char* list : {"RecentFileList", "RecentURLList"}) {
      if (tools.registry.KeyExists(RootKey::CurrentUser, player + list)) {
        tools.registry.DeleteKeyTree(RootKey::CurrentUser, player + list);
      }
    }
    tools.registry.DeleteValue(RootKey::CurrentUser, player + "RecentURLList", "OpenDir");
  } catch (const PlatformError&) {
    // The step has no message of its own; the files still go.
  }
  for (SpecialFolder kind : {SpecialFolder::AppData, SpecialFolder::CommonAppData, SpecialFolder::LocalAppData}) {
    DeleteUnder(tools, tools.shell.SpecialFolderPath(kind), "Microsoft\\Media Player\\", "*.*");
  }
  DeleteUnder(tools, tools.shell.EnvironmentVariable("WINDIR"), "", "wmplibrary*.*");
}

}  // namespace vandrel
