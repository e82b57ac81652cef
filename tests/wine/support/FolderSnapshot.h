#pragma once
#include <map>
#include <string>
#include <vector>

namespace vandrel::test {

// Every file and folder below a folder (an ASCII Windows path, any length),
// by path, with each file's bytes; folders end in a backslash. Comparing two
// snapshots shows any change below the folder.
std::map<std::string, std::string> SnapshotFolder(const std::string& folder);

// The same for a large tree, by size and a hash of the bytes, but for the
// entries of the folder named in leftOut; links are listed, never entered.
// In a registry file (*.reg) Wine's times of the keys are left out, so that
// two saves of the same registry compare equal.
std::map<std::string, std::string> DigestFolder(const std::string& folder, const std::vector<std::string>& leftOut);

}  // namespace vandrel::test
