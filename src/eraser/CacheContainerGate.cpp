#include "eraser/CacheContainerGate.h"

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

}  // namespace

void CacheContainerGate::Begin() {
  mayCall_.clear();
  left_.clear();
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
  const DeleteCounts links = tools_.files.RemoveLinksInside(folder, tools_.progress);
  if (links.refused) return leave(ContainerLeftReason::FolderUnknown);
  if (links.rootWasLink || links.skipped > 0) return leave(ContainerLeftReason::LinkKept);
  // The history keeps a container for each of its day and week folders too.
  std::vector<std::string> indexes{PathUnder(folder, "index.dat")};
  if (container == CacheContainer::History) {
    for (const std::string& name : tools_.shell.Subfolders(folder)) {
      indexes.push_back(PathUnder(PathUnder(folder, name), "index.dat"));
    }
  }
  for (const std::string& index : indexes) {
    if (tools_.files.IndexIsWiped(index)) return leave(ContainerLeftReason::WipedIndex);
  }
  return mayCall_[container] = true;
}

void CacheContainerGate::DeleteAllEntries(CacheSearch search, const std::function<void()>& pump) {
  if (search != CacheSearch::All) {
    for (const ContainerPlace& place : kPlaces) {
      if (place.search == search && MayCall(place.container)) library_.DeleteAllEntries(search, pump);
    }
    return;
  }
  bool everyOne = true;
  for (const ContainerPlace& place : kPlaces) everyOne = MayCall(place.container) && everyOne;
  if (everyOne) return library_.DeleteAllEntries(CacheSearch::All, pump);
  for (const ContainerPlace& place : kPlaces) {
    if (MayCall(place.container)) library_.DeleteAllEntries(place.search, pump);
  }
}

void CacheContainerGate::RemoveWipedIndexesBesideLinks() {
  for (const ContainerLeft& left : left_) {
    const std::string index = PathUnder(left.folder, "index.dat");
    if (left.reason == ContainerLeftReason::LinkKept && tools_.files.IndexIsWiped(index)) {
      tools_.files.DeleteMatching(left.folder, "index.dat", false, tools_.progress);
    }
  }
}

const char* ReasonText(ContainerLeftReason reason) {
  switch (reason) {
    case ContainerLeftReason::LinkKept: return "a link in it cannot be removed as itself";
    case ContainerLeftReason::FolderUnknown: return "its folder cannot be read";
    case ContainerLeftReason::WipedIndex: return "its index is wiped";
  }
  return "";
}

std::string DescribeLeft(const std::vector<ContainerLeft>& left) {
  std::string text;
  for (const ContainerLeft& container : left) {
    // A wiped index has no entries: the library had nothing to delete there.
    if (container.reason == ContainerLeftReason::WipedIndex) continue;
    text += (text.empty() ? "Erased without the URL cache: " : "; ") +
            std::string(PlaceOf(container.container).shellFolder) + " (" + ReasonText(container.reason) + ")";
  }
  return text;
}

}  // namespace vandrel
