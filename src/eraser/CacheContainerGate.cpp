#include "eraser/CacheContainerGate.h"

#include "eraser/EraseTools.h"
#include "platform/FullPath.h"

namespace vandrel {

namespace {

constexpr CacheContainer kContainers[] = {CacheContainer::Cache, CacheContainer::Cookies, CacheContainer::History};

const char* NameOf(CacheContainer container) {
  switch (container) {
    case CacheContainer::Cache: return "Cache";
    case CacheContainer::Cookies: return "Cookies";
    case CacheContainer::History: return "History";
  }
  return "";
}

CacheSearch SearchOf(CacheContainer container) {
  switch (container) {
    case CacheContainer::Cache: return CacheSearch::Url;
    case CacheContainer::Cookies: return CacheSearch::Cookies;
    case CacheContainer::History: return CacheSearch::History;
  }
  return CacheSearch::Url;
}

const char* TextOf(ContainerLeftReason reason) {
  switch (reason) {
    case ContainerLeftReason::LinkKept: return "a link in it cannot be removed as itself";
    case ContainerLeftReason::FolderUnknown: return "its folder cannot be read";
    case ContainerLeftReason::WipedIndex: return "its index is wiped";
  }
  return "";
}

}  // namespace

void CacheContainerGate::Begin() {
  mayCall_.clear();
  left_.clear();
}

std::string CacheContainerGate::FolderOf(CacheContainer container) const {
  const std::string folder = tools_.ShellFolder(NameOf(container));
  switch (container) {
    case CacheContainer::Cache: return PathUnder(folder, "Content.IE5");
    case CacheContainer::Cookies: return PathUnder(folder, "");
    case CacheContainer::History: return PathUnder(folder, "History.IE5");
  }
  return {};
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
    for (const CacheContainer container : kContainers) {
      if (SearchOf(container) == search && MayCall(container)) library_.DeleteAllEntries(search, pump);
    }
    return;
  }
  bool everyOne = true;
  for (const CacheContainer container : kContainers) everyOne = MayCall(container) && everyOne;
  if (everyOne) return library_.DeleteAllEntries(CacheSearch::All, pump);
  for (const CacheContainer container : kContainers) {
    if (MayCall(container)) library_.DeleteAllEntries(SearchOf(container), pump);
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

std::string DescribeLeft(const std::vector<ContainerLeft>& left) {
  std::string text;
  for (const ContainerLeft& container : left) {
    // A wiped index has no entries: the library had nothing to delete there.
    if (container.reason == ContainerLeftReason::WipedIndex) continue;
    text += (text.empty() ? "Erased without the URL cache: " : "; ") + std::string(NameOf(container.container)) +
            " (" + TextOf(container.reason) + ")";
  }
  return text;
}

}  // namespace vandrel
