#include "eraser/CacheContainerGate.h"

#include <algorithm>

#include "eraser/EraseTools.h"
#include "platform/FullPath.h"

namespace vandrel {

namespace {

// Where the library keeps each container, below which shell folder, and
// the search that walks it; in the order of CacheContainer.
struct ContainerPlace {
  CacheContainer container;
  const char* shellFolder;
  const char* below;
  CacheSearch search;
};
constexpr ContainerPlace kPlaces[] = {
    {CacheContainer::Cache, "Cache", "Content.IE5", CacheSearch::Url},
    {CacheContainer::Cookies, "Cookies", "", CacheSearch::Cookies},
    {CacheContainer::History, "History", "History.IE5", CacheSearch::History},
};

const ContainerPlace& PlaceOf(CacheContainer container) { return kPlaces[static_cast<int>(container)]; }

bool IsInside(const std::string& path, const std::string& folder) {
  const auto entry = ParseFullPath(path), above = ParseFullPath(folder);
  return entry && above && entry->names.size() > above->names.size() && IsSameOrBelow(*entry, *above);
}

std::string FolderAbove(const std::string& path) {
  auto full = ParseFullPath(path);
  if (!full || full->names.empty()) return {};
  full->names.pop_back();
  return PlainForm(*full);
}

}  // namespace

void CacheContainerGate::Start() {
  mayCall_.clear();
  left_.clear();
  called_.clear();
  tools_.wipedIndexes.clear();
  tools_.cookieEntriesKnown = false;
  ending_ = false;
  ended_ = false;
}

const DeleteProgress& CacheContainerGate::Progress() const {
  static const DeleteProgress kQuiet;
  return ending_ ? kQuiet : tools_.progress;
}

std::string CacheContainerGate::FolderOf(CacheContainer container) const {
  const ContainerPlace& place = PlaceOf(container);
  return PathUnder(tools_.ShellFolder(place.shellFolder), place.below);
}

bool CacheContainerGate::MayCall(CacheContainer container) {
  if (const auto known = mayCall_.find(container); known != mayCall_.end()) return known->second;
  const std::string folder = FolderOf(container);
  const auto leave = [&](ContainerLeftReason reason) {
    left_.push_back({container, folder, reason});
    return mayCall_[container] = false;
  };
  if (folder.empty()) return leave(ContainerLeftReason::FolderUnknown);
  // Looked at before anything in it is touched: handed a folder that is not
  // its own, the library would take it for a broken container and clear it.
  const ContainerIndex holds = tools_.files.ContainerIndexOf(folder);
  if (holds == ContainerIndex::NotHeld) return leave(ContainerLeftReason::NoIndex);
  if (holds == ContainerIndex::Unreadable) return leave(ContainerLeftReason::IndexUnreadable);
  const DeleteCounts links = tools_.files.RemoveLinksInside(folder, Progress());
  if (links.refused) return leave(ContainerLeftReason::Refused);
  if (links.rootWasLink || links.skipped > 0) return leave(ContainerLeftReason::LinkKept);
  // The history keeps a container for each of its day and week folders too.
  std::vector<std::string> indexes{PathUnder(folder, "index.dat")};
  if (container == CacheContainer::History) {
    // Day folders that cannot be listed may hold a wiped index.
    const auto days = tools_.shell.Subfolders(folder);
    if (!days) return leave(ContainerLeftReason::IndexUnreadable);
    for (const std::string& name : *days) indexes.push_back(PathUnder(PathUnder(folder, name), "index.dat"));
  }
  for (const std::string& index : indexes) {
    if (!tools_.files.IndexIsWiped(index)) continue;
    if (container == CacheContainer::Cookies) tools_.cookieEntriesKnown = true;  // it has none
    return leave(ContainerLeftReason::WipedIndex);
  }
  return mayCall_[container] = true;
}

void CacheContainerGate::DeleteAllEntries(CacheSearch search, const std::function<void()>& pump,
                                          const CacheEntryKept& kept) {
  if (search != CacheSearch::All) {
    for (const ContainerPlace& place : kPlaces) {
      if (place.search == search && MayCall(place.container)) Call(search, pump, kept);
    }
    return;
  }
  bool everyOne = true;
  for (const ContainerPlace& place : kPlaces) everyOne = MayCall(place.container) && everyOne;
  if (everyOne) return Call(CacheSearch::All, pump, kept);
  for (const ContainerPlace& place : kPlaces) {
    if (MayCall(place.container)) Call(place.search, pump, kept);
  }
}

void CacheContainerGate::Call(CacheSearch search, const std::function<void()>& pump, const CacheEntryKept& kept) {
  if (std::find(called_.begin(), called_.end(), search) == called_.end()) called_.push_back(search);
  if (search == CacheSearch::Cookies || search == CacheSearch::All) tools_.cookieEntriesKnown = true;
  library_.DeleteAllEntries(search, pump, kept);
}

std::vector<std::string> CacheContainerGate::WipedIndexesIn(const std::string& folder,
                                                            const std::vector<std::string>& subfolders) {
  std::vector<std::string> indexes{PathUnder(folder, "index.dat")};
  for (const std::string& name : subfolders) {
    indexes.push_back(PathUnder(PathUnder(folder, name), "index.dat"));
  }
  for (const std::string& index : tools_.wipedIndexes) {
    if (IsInside(index, folder) && std::find(indexes.begin(), indexes.end(), index) == indexes.end()) {
      indexes.push_back(index);
    }
  }
  std::erase_if(indexes, [&](const std::string& index) { return !tools_.files.IndexIsWiped(index); });
  return indexes;
}

bool CacheContainerGate::MendUnfinished() {
  // Looked at apart from the erase's own first look, which comes at its
  // first call: only a container that holds a wiped index is touched, and
  // its links go as links, as that look would take them.
  bool mended = false;
  for (const ContainerPlace& place : kPlaces) {
    const std::string folder = FolderOf(place.container);
    if (folder.empty()) continue;
    // Listed quietly: a container this erase was not chosen for, whose
    // subfolders cannot be listed, is no part of its report.
    const std::vector<std::string> wiped =
        WipedIndexesIn(folder, tools_.shell.Subfolders(folder).value_or(std::vector<std::string>{}));
    if (wiped.empty()) continue;
    const DeleteCounts links = tools_.files.RemoveLinksInside(folder, Progress());
    if (!links.rootWasLink && links.skipped == 0) continue;
    for (const std::string& index : wiped)
      tools_.files.DeleteMatching(FolderAbove(index), "index.dat", false, Progress());
    mended = true;
  }
  return mended;
}

void CacheContainerGate::End() noexcept {
  // Once per erase: after the session's end has ended it, the erase's own
  // way out finds nothing more to do.
  if (ended_) return;
  ended_ = true;
  ending_ = true;
  try {
    for (const ContainerPlace& place : kPlaces) {
      const std::string folder = FolderOf(place.container);
      const bool wipedInside = std::any_of(tools_.wipedIndexes.begin(), tools_.wipedIndexes.end(),
                                           [&](const std::string& index) { return IsInside(index, folder); });
      if (!folder.empty() && wipedInside && mayCall_.count(place.container) == 0) MayCall(place.container);
    }
    for (const ContainerLeft& left : left_) {
      if (left.reason != ContainerLeftReason::LinkKept) continue;
      for (const std::string& index : WipedIndexesIn(left.folder, tools_.SubfoldersOf(left.folder))) {
        tools_.files.DeleteMatching(FolderAbove(index), "index.dat", false, Progress());
      }
    }
  } catch (...) {
    // Nothing more can be done as the erase ends; the next erase's gate
    // keeps the library from a wiped index all the same.
  }
  ending_ = false;
}

const char* CacheEntriesText(CacheSearch search) {
  switch (search) {
    case CacheSearch::All: return "every URL-cache entry";
    case CacheSearch::Cookies: return "the URL cache's cookies";
    case CacheSearch::History: return "the URL cache's visited pages";
    case CacheSearch::Url: return "the URL cache's pages";
  }
  return "";
}

const char* ContainerName(CacheContainer container) { return PlaceOf(container).shellFolder; }

const char* ReasonText(ContainerLeftReason reason) {
  switch (reason) {
    case ContainerLeftReason::LinkKept: return "a link in it cannot be removed as itself";
    case ContainerLeftReason::FolderUnknown: return "its folder cannot be read";
    case ContainerLeftReason::Refused:
      return "its folder is a protected folder, or holds one: nothing in it is touched";
    case ContainerLeftReason::WipedIndex: return "its index is wiped";
    case ContainerLeftReason::NoIndex:
      return "its folder holds other files and no index of its own: nothing in it is touched";
    case ContainerLeftReason::IndexUnreadable:
      return "its index, or what its folder holds, cannot be read: nothing in it is touched";
  }
  return "";
}

std::string DescribeLeft(const std::vector<ContainerLeft>& left) {
  std::string text;
  for (const ContainerLeft& container : left) {
    // A wiped index has no entries: the library had nothing to delete there.
    if (container.reason == ContainerLeftReason::WipedIndex) continue;
    text += (text.empty() ? "Erased without the URL cache: " : "; ") + std::string(ContainerName(container.container)) +
            " (" + ReasonText(container.reason) + ")";
  }
  return text;
}

}  // namespace vandrel
