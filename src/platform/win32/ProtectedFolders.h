#pragma once
#include <string>
#include <vector>

namespace vandrel {

// A folder no whole-folder erase may touch, nor any folder above it; one
// of a user's own files, no folder inside it either.
struct ProtectedFolder {
  std::wstring path;        // as the system or the registry names it
  const char* what;         // what it is, as a refusal tells it: "the documents"
  bool withInside = false;  // a user's own files: no delete goes inside
};

// This user's and this machine's protected folders, read afresh for each
// delete (a user may move them meanwhile); a folder named twice is listed
// twice. The system's folders, Program Files, the profiles and the
// programs' data (themselves and what holds them), and the folders of
// users' own files with everything inside them: this user's, the shared
// ones and those of every other profile on the machine.
std::vector<ProtectedFolder> ReadProtectedFolders();

}  // namespace vandrel
