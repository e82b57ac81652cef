#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/ContainerIndex.h"
#include "platform/NameMask.h"
#include "platform/ScopeExit.h"

namespace vandrel {

// What a delete did. Entries it passed over (a link it could not remove
// without touching what the link points to, a file that resolves outside
// the folder, one whose attributes or final path could not be read, one held
// open by another program) are counted, never deleted.
struct DeleteCounts {
  std::size_t removed = 0;
  std::size_t skipped = 0;
  bool rootWasLink = false;  // the folder, or one above it, is a link left in place: nothing behind it was touched
  bool refused = false;      // a root, a protected folder, an empty base or an unknown place: nothing was touched
  bool unreachable = false;  // the folder cannot be reached over the network: not there for this delete
  std::string refusal;       // when refused, which folder and why, as the user reads it
};

// The walks of a step's folder (its delete, the sweep of its links, the
// preview's and the report's looks) go at most this many folders below it;
// a folder deeper than that is not entered and stays with all it holds,
// counted as what stayed. Far beyond any real tree (a cache is two levels
// deep, a path within MAX_PATH holds at most about 128) and well below the
// 16,000 one-letter levels a \\?\ path of 32,767 characters holds, it
// bounds, against a tree made deep on purpose (a page of low integrity may
// write one into %TEMP%\Low or Cookies\Low), the folders a delete holds
// open, one a level, and the length of the paths a walk hands the system:
// each call's cost grows with its path's length, and under Wine a handle's
// final path costs a look at every folder above it, so that a walk of 1,000
// levels took minutes there.
inline constexpr std::size_t kMaxWalkDepth = 256;

// Called between entries: removed after each entry that went, with the
// running count; pump so that the caller's windows keep working. pump may
// end the delete by throwing (the program is ending), so a delete holds
// nothing across it that would not be released by unwinding.
struct DeleteProgress {
  std::function<void(std::size_t removed)> removed;
  std::function<void()> pump;
};

enum class WipeOutcome {
  Wiped,      // the file now holds the empty index header
  LeftAlone,  // not a plain file of one link inside its folder: not written
  Missing,    // nothing of that name is there
};

// Removes the files of the erase steps, never anything outside the folder a
// step names and never through a link: a link found inside is removed
// itself (or passed over when that cannot be done without touching its
// target), and a folder that is itself a link is left with all behind it.
// Files go for good, read-only, hidden and system ones included. Paths
// and masks are UTF-8.
class TraceFiles {
 public:
  virtual ~TraceFiles() = default;
  // The folder with everything in it; a folder that is itself a link goes
  // as the link alone (where the platform can remove a link as itself).
  virtual DeleteCounts DeleteTree(const std::string& folder, const DeleteProgress& progress) = 0;
  // The folder's entries matching mask, subfolders with their contents;
  // what kept names (a file named desktop.ini, in any case, and the names
  // given) directly in the folder stays (a subfolder's goes with the
  // subfolder). Refused
  // as RefusesDeleteFiles says, with the protected folders: the Windows and
  // system folders, Program Files, the user's profile, application data and
  // local application data, all users' application data, and every folder
  // at or inside the users' own files (this user's, the shared ones and
  // every profile's documents, desktop, pictures, music, videos, downloads
  // ...). Refused too, in every spelling of the folder (8.3 names, letter
  // case, a link above it or leading to it, a share of this machine), when
  // it really is one of them, holds one or lies inside the users' own
  // files, and when where it really lies cannot be read.
  virtual DeleteCounts DeleteMatching(const std::string& folder, const std::string& mask, const KeptNames& kept,
                                      const DeleteProgress& progress) = 0;
  // Overwrites an index file with the 27-byte header and zeros, keeping its
  // length (at least 27). Throws PlatformError "Cannot open file <file>"
  // when a file is there but cannot be opened for reading and writing.
  virtual WipeOutcome WipeIndexFile(const std::string& file) = 0;

  // Before the browser's URL-cache library may work in a folder of its
  // own: every link in the folder's tree is removed as itself, never what
  // it leads to (the library rebuilds a container whose index it cannot
  // read by deleting the folder first, through any link inside). A link is
  // a reparse point that names another place (a junction, a mount point, a
  // symbolic link); any other reparse point is a file and stays. Refused,
  // with nothing touched, where DeleteMatching(folder, "*") is refused.
  // removed: the links that went; skipped: links that could not be removed
  // as themselves (Wine opens none as itself) and entries that could not be
  // looked at; rootWasLink: the folder or one above it is a link.
  virtual DeleteCounts RemoveLinksInside(const std::string& folder, const DeleteProgress& progress) = 0;
  // The file holds what a wipe leaves (IsWipedIndex); false when it is
  // not there or cannot be read.
  virtual bool IndexIsWiped(const std::string& file) = 0;
  // Whether the folder is a URL-cache container of the browser's library
  // (JudgeContainer), read only; NotEntered where DeleteMatching(folder,
  // "*") would not go in, which that delete then tells.
  virtual ContainerIndex ContainerIndexOf(const std::string& folder) = 0;

  // While held, the protected folders are found once, at the first delete
  // that needs them, and kept: finding them may wait out a network's
  // time-out (documents redirected onto an offline share). An erase holds
  // this from its start to its end; the next erase finds them afresh.
  [[nodiscard]] auto KeepProtectedFolders() {
    ++keepers_;
    return ScopeExit([this] {
      if (--keepers_ == 0) ForgetProtectedFolders();
    });
  }

 protected:
  bool KeepingProtectedFolders() const { return keepers_ > 0; }
  virtual void ForgetProtectedFolders() {}

 private:
  int keepers_ = 0;
};

// The index file's header after a wipe; zeros follow it.
inline constexpr char kEmptyIndexHeader[] = "Client UrlCache MMF Ver 5.2";
inline constexpr std::size_t kEmptyIndexHeaderSize = sizeof(kEmptyIndexHeader) - 1;
// A wipe writes the header and zeros in pieces of this size; a live index
// holds its sizes and tables in its first bytes.
inline constexpr std::size_t kWipePieceSize = std::size_t{1} << 16;

// An index file's content as a wipe leaves it, also one that failed half
// way (old records may follow): the header, then zeros only over the first
// piece the wipe writes.
inline bool IsWipedIndex(std::string_view content) {
  const std::string_view first = content.substr(0, kWipePieceSize);
  return first.substr(0, kEmptyIndexHeaderSize) == std::string_view(kEmptyIndexHeader, kEmptyIndexHeaderSize) &&
         first.find_first_not_of('\0', kEmptyIndexHeaderSize) == std::string_view::npos;
}

}  // namespace vandrel
