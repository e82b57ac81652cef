#pragma once
#include <map>
#include <string>
#include <vector>

#include "eraser/UrlCacheEraser.h"
#include "platform/ScopeExit.h"
#include "platform/TraceFiles.h"

namespace vandrel {

struct EraseTools;

// The containers of the browser's URL cache, each in a folder of its own.
enum class CacheContainer { Cache, Cookies, History };

// Why a container got no URL-cache call in an erase: its files and index
// were erased by the eraser's own walk alone.
enum class ContainerLeftReason {
  LinkKept,         // it holds a link that could not be removed as itself
  WipedIndex,       // its index is wiped: it has no entries, and the library would rebuild it
  FolderUnknown,    // its shell folder cannot be read, so it cannot be looked at
  Refused,          // its folder is one no delete may empty (the documents, the profile ...): nothing in it is touched
  NoIndex,          // its folder holds other files and no index: not the library's, nothing in it is touched
  IndexUnreadable,  // its index, or what its folder holds, cannot be read: nothing in it is touched
};

struct ContainerLeft {
  CacheContainer container;
  std::string folder;
  ContainerLeftReason reason;
};

// Stands between an erase and the browser's URL-cache library. Handed a
// wiped index, the library rebuilds that container and first deletes its
// folder with a delete that follows links; the next erase, the viewer, a
// restarted program and the browser itself all meet what the last erase
// left. So before a container's first call in an erase, its folder is
// judged as a delete of everything in it would be, then the links inside it
// are removed as links; a container that is refused, is not the library's
// (no index there), keeps a link, has a wiped index or cannot be looked at
// gets no call at all in that erase.
class CacheContainerGate : public UrlCacheEraser {
 public:
  // tools is only kept here: the gate is one of its members' targets.
  CacheContainerGate(UrlCacheEraser& library, EraseTools& tools) : library_(library), tools_(tools) {}

  // A new erase: every container is looked at again before its first call.
  // The erase ends with End, on every way out: hold the guard Begin returns.
  [[nodiscard]] auto Begin() {
    Start();
    return ScopeExit([this] { End(); });
  }
  // The search's containers that may be handed to the library; All goes as
  // one walk only when all three may.
  void DeleteAllEntries(CacheSearch search, const std::function<void()>& pump, const CacheEntryKept& kept) override;
  // The searches this erase handed to the library, each once, in order.
  const std::vector<CacheSearch>& Called() const { return called_; }
  // The containers of this erase that got no call, in the order found.
  const std::vector<ContainerLeft>& Left() const { return left_; }
  // Runs once when the erase ends, however it ends (finished, a quit, a
  // failed wipe, an exception), and lets no message run: a container that
  // keeps a link loses every wiped index in it (the day and week folders'
  // too), so that the browser's library, at its next start, makes a new one
  // instead of rebuilding the folder through the link. A container the
  // erase wiped in without looking at it first (its box was checked while
  // the erase ran) is looked at here. Throws nothing.
  void End() noexcept;
  // What an erase that never reached its end left (its process was ended,
  // its machine switched off): each container holding a wiped index is
  // looked at as that erase's end would have, and one that keeps a link
  // loses its wiped indexes. Runs as the gate begins, before the erase's
  // first step; true when it mended one.
  bool MendUnfinished();

 private:
  void Start();
  bool MayCall(CacheContainer container);
  void Call(CacheSearch search, const std::function<void()>& pump, const CacheEntryKept& kept);
  std::string FolderOf(CacheContainer container) const;
  // The wiped index files in a container's folder and its subfolders, and
  // those the erase wiped anywhere below it (the tools' wipedIndexes).
  // `subfolders`: the folder's, as listed by the caller.
  std::vector<std::string> WipedIndexesIn(const std::string& folder, const std::vector<std::string>& subfolders);
  const DeleteProgress& Progress() const;

  UrlCacheEraser& library_;
  EraseTools& tools_;
  std::map<CacheContainer, bool> mayCall_;
  std::vector<ContainerLeft> left_;
  std::vector<CacheSearch> called_;
  bool ending_ = false;  // in End: the file calls get no progress, so no message runs
  bool ended_ = false;   // End ran since Start
};

// The entries a search deletes, as the report names them.
const char* CacheEntriesText(CacheSearch search);
inline constexpr const char* kWhyThroughLibrary = "through the browser's library";
// The container's name, as its erase step's: "Cache", "Cookies", "History".
const char* ContainerName(CacheContainer container);
// Why a container was left to the eraser's own walk, in the user's words.
const char* ReasonText(ContainerLeftReason reason);
// One line for the status bar, empty when every container that had entries
// got its calls.
std::string DescribeLeft(const std::vector<ContainerLeft>& left);

}  // namespace vandrel
