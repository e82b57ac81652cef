#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vandrel {

inline constexpr const char* kDeleteFilesRefused = "Error calling DeleteFiles function!";

// A folder no whole-folder delete may touch, nor any folder above it. One
// of the user's own files (the documents, the pictures ...) is kept with
// everything inside it: no delete of any mask goes in there.
struct KeptFolder {
  KeptFolder(std::string folder, bool inside = false) : path(std::move(folder)), withInside(inside) {}
  KeptFolder(const char* folder, bool inside = false) : KeptFolder(std::string(folder), inside) {}
  std::string path;
  bool withInside = false;
};

// Whether a delete in folder with mask must not run. Refused are: a folder
// shorter than 4 characters, one that is not a full path (built on an
// empty base), a mask reaching outside the folder, any folder at or below
// a protected folder kept with what is inside it, and, when the mask picks
// everything, any drive or share root and every protected folder (the
// Windows and system folders, Program Files, the user's profile) and every
// ancestor of one. A narrow mask such as "wmplibrary*.*" may still run in
// the Windows folder.
bool RefusesDeleteFiles(std::string_view folder, std::string_view mask,
                        const std::vector<KeptFolder>& protectedFolders);

// The same for removing the folder itself with everything in it.
bool RefusesDeleteTree(std::string_view folder, const std::vector<KeptFolder>& protectedFolders);

// Why a delete is refused, for the text that tells it.
struct Refusal {
  enum class Kind {
    None,             // the delete may run
    NoPlace,          // not a full path, or a mask reaching outside the folder
    Root,             // a drive or share root
    IsProtected,      // the folder is protected folder number `kept`
    HoldsProtected,   // the folder holds protected folder number `kept`
    InsideProtected,  // the folder lies inside protected folder number `kept`, one of the user's own files
    CannotTell,       // where the folder, or a protected folder, really lies cannot be read
  };
  Kind kind = Kind::None;
  std::size_t kept = 0;  // into the protected folders
};
Refusal FindRefusal(std::string_view folder, std::string_view mask, const std::vector<KeptFolder>& protectedFolders);

// What a refusal tells the user: the folder and why; kept and what name the
// protected folder concerned ("C:\Users\Jo\AppData\Local", "the local
// application data"). Empty for Kind::None.
std::string RefusalText(const Refusal& refusal, std::string_view folder, std::string_view kept, std::string_view what);

}  // namespace vandrel
