#include "eraser/BrowserTraces.h"

#include "platform/FullPath.h"
#include "platform/NameMask.h"

namespace vandrel {

namespace {

void Pump(EraseTools& tools) {
  if (tools.progress.pump) tools.progress.pump();
}

}  // namespace

void ClearShit(EraseTools& tools) {
  const std::string folder = tools.ShellFolder("History");
  const std::string history = PathUnder(folder, "History.IE5");
  if (history.empty()) return tools.Inform(kHistoryFolderMissing);
  if (!tools.MayEmptyContainer(history)) return;
  for (const std::string& name : tools.SubfoldersOf(history)) {
    Pump(tools);
    tools.WipeIndex(PathUnder(PathUnder(history, name), "index.dat"));
  }
  tools.WipeIndex(PathUnder(history, "index.dat"));
}

void ClearCookies(EraseTools& tools) {
  const std::string folder = tools.ShellFolder("Cookies");
  const std::string index = PathUnder(folder, "index.dat");
  if (index.empty()) return tools.Inform(kCookieFolderMissing);
  // A folder the delete refuses (set onto the documents, say) keeps its
  // files, and so does one that is not the library's.
  if (!tools.MayEmptyContainer(folder)) return;
  // The kept cookies live in the index and in their files: without the
  // index the library reads none of them, so it stays whole.
  if (!tools.cookiesToKeep.Empty()) {
    // Which files are the kept cookies' only the library can say.
    if (!tools.cookieEntriesKnown) return tools.KeepContainer(folder, kWhyKeptCookiesUnknown);
    tools.DeleteFiles(folder, "*.*", tools.KeptInCookieFolder(folder));
    return;
  }
  if (!tools.DeleteFiles(folder, "*.*").refused) tools.WipeIndex(index);
}

void ClearCache(EraseTools& tools) {
  const std::string folder = tools.ShellFolder("Cache");
  const std::string content = PathUnder(folder, "Content.IE5");
  if (content.empty()) return tools.Inform(kCacheFolderMissing);
  if (!tools.MayEmptyContainer(content)) return;
  for (const std::string& name : tools.SubfoldersOf(content)) {
    Pump(tools);
    if (!IsDesktopIni(name)) tools.DeleteTree(PathUnder(content, name));
    Pump(tools);
  }
  tools.WipeIndex(PathUnder(content, "index.dat"));
}

}  // namespace vandrel
