#pragma once
#include <optional>
#include <string>
#include <vector>

#include "RegistryReset.h"

namespace vandrel::test {

// Points a shell folder of the test prefix's user somewhere else for as
// long as it lives: in both keys, as the shell would rewrite the one the
// program reads from the other, and as the browser's library reads the
// other. What was there before comes back; a value that was not is removed.
class ShellFolderOverride {
 public:
  ShellFolderOverride(const std::string& name, const std::string& folder);
  ~ShellFolderOverride();
  ShellFolderOverride(const ShellFolderOverride&) = delete;
  ShellFolderOverride& operator=(const ShellFolderOverride&) = delete;

 private:
  std::string name_;
  std::vector<std::optional<RawValue>> saved_;
};

}  // namespace vandrel::test
