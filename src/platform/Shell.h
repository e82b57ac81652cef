#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vandrel {

// The shell's special folders that the erase steps build paths on.
enum class SpecialFolder {
  Programs,       // the Start menu's Programs folder
  AppData,        // the user's roaming application data
  CommonFiles,    // Program Files\Common Files
  LocalAppData,   // the user's local application data
  CommonAppData,  // the application data of all users
};

// What the erase steps ask of the shell and the environment besides the
// registry and the file layer. Paths and names, in and out, are UTF-8.
class Shell {
 public:
  virtual ~Shell() = default;
  // Empty when the variable is not set.
  virtual std::string EnvironmentVariable(const std::string& name) = 0;
  // Without a trailing backslash; empty when the folder cannot be found.
  virtual std::string SpecialFolderPath(SpecialFolder kind) = 0;
  // Empties the shell's recent-documents list.
  virtual void ClearRecentDocuments() = 0;
  // Empties every drive's recycle bin without a question, progress or
  // sound; false only when the shell library could not be loaded.
  virtual bool EmptyRecycleBin() = 0;
  // The names of the folder's direct subfolders; links are left out. A
  // folder that is not there has none; nothing when it is there but could
  // not be listed (access denied, say), which a caller must not take for
  // a folder without subfolders.
  virtual std::optional<std::vector<std::string>> Subfolders(const std::string& folder) = 0;
};

}  // namespace vandrel
