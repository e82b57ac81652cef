#pragma once
#include <map>
#include <string>

namespace vandrel::test {

// Every file and folder below a folder (an ASCII Windows path, any length),
// by path, with each file's bytes; folders end in a backslash. Comparing two
// snapshots shows any change below the folder.
std::map<std::string, std::string> SnapshotFolder(const std::string& folder);

}  // namespace vandrel::test
