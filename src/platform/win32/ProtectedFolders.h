#pragma once
#include <string>
#include <vector>

namespace vandrel {

// A folder no whole-folder erase may touch, nor any folder above it.
struct ProtectedFolder {
  std::wstring path;  // as the system or the registry names it
  const char* what;   // what it is, as a refusal tells it: "the documents"
};

// This user's and this machine's protected folders, read afresh for each
// delete (a user may move them meanwhile); a folder named twice is listed
// twice. The system's folders, Program Files, the profiles, and the user's
// and all users' folders of their own files and programs' data.
std::vector<ProtectedFolder> ReadProtectedFolders();

}  // namespace vandrel
