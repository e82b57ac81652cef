#include "ShellFolderOverride.h"

namespace vandrel::test {
namespace {

constexpr const char* kShellFolderKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"};

}  // namespace

ShellFolderOverride::ShellFolderOverride(const std::string& name, const std::string& folder) : name_(name) {
  for (const char* key : kShellFolderKeys) {
    saved_.push_back(ReadRaw(HKEY_CURRENT_USER, key, name_, View::Default));
    WriteString(HKEY_CURRENT_USER, key, name_, folder);
  }
}

ShellFolderOverride::~ShellFolderOverride() {
  for (std::size_t at = 0; at < saved_.size(); ++at) {
    if (saved_[at]) {
      WriteRaw(HKEY_CURRENT_USER, kShellFolderKeys[at], name_, saved_[at]->type, saved_[at]->bytes.data(),
               static_cast<DWORD>(saved_[at]->bytes.size()), View::Default);
    } else {
      DeleteValue(HKEY_CURRENT_USER, kShellFolderKeys[at], name_);
    }
  }
}

}  // namespace vandrel::test
