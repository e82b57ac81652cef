#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "eraser/CookiesToKeep.h"
#include "eraser/EraseReport.h"
#include "eraser/UrlCacheEraser.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/TraceFiles.h"
#include "ui/Prompts.h"

namespace vandrel {

// Why a URL-cache container's folder is left whole, as the report says it.
inline constexpr const char* kWhyNoContainerIndex =
    "holds other files and no index of the browser's URL cache: nothing in it is touched";
inline constexpr const char* kWhyKeptCookiesUnknown =
    "sites' cookies are kept and the browser's library was not asked which files are theirs: nothing in it is touched";
inline constexpr const char* kWhyNotListed = "its subfolders could not be listed: they stay with all they hold";
inline constexpr const char* kWhyContainerIndexUnreadable =
    "its URL-cache index, or what it holds, cannot be read: nothing in it is touched";

// What every erase step works with. progress is handed to each file
// delete, so the window keeps working and the removed files are counted.
struct EraseTools {
  Registry& registry;
  TraceFiles& files;
  Shell& shell;
  Prompts& prompts;
  UrlCacheEraser& urlCache;
  DeleteProgress progress;
  // What the file deletes of the running pass left in place: entries held
  // open or passed over, and folders that were links or refused.
  std::size_t leftInPlace = 0;
  // Told of each folder delete and what it did (whole: DeleteTree), for
  // the report after the erase.
  std::function<void(const std::string& folder, const std::string& mask, bool whole, const DeleteCounts&)> deleted =
      nullptr;
  // The index files wiped, or failed half way through wiping, since the
  // URL-cache gate's erase began.
  std::vector<std::string> wipedIndexes = {};
  // Told of each index file wipe: what it did, or (failure set) that it
  // failed and may have written part of the file.
  std::function<void(const std::string& file, WipeOutcome outcome, const std::string& failure)> indexWiped = nullptr;
  // Told of each URL-cache container's folder left whole because it is not
  // the library's (MayEmptyContainer), with why.
  std::function<void(const std::string& folder, const std::string& why)> containerKept = nullptr;
  // Told of each folder whose subfolders could not be listed.
  std::function<void(const std::string& folder)> notListed = nullptr;
  // The sites whose cookies this erase keeps, read as it begins.
  CookiesToKeep cookiesToKeep = {};
  // The cookie entries that the URL-cache walks of this erase passed over
  // for them: URL and local file.
  std::map<std::string, std::string> keptCookies = {};
  // The URL-cache gate knows the cookie entries of this erase: it handed
  // their container to the library, or found its index wiped (no entries).
  bool cookieEntriesKnown = false;

  // Throws ProgramEnding once the session's end has ended the erase: the
  // steps call it at every entry, after every box and as they start.
  std::function<void()> stopIfEnded = nullptr;
  void StopIfEnded() const {
    if (stopIfEnded) stopIfEnded();
  }
  // A box of the erase; its loop may deliver the end of the session.
  void Inform(const std::string& text, MessageKind kind = MessageKind::Information) {
    prompts.Message(kind, text, MessageButtons::Ok);
    StopIfEnded();
  }
  // DeleteFiles of the steps: desktop.ini stays (and what else kept
  // names); a refused folder is told.
  DeleteCounts DeleteFiles(const std::string& folder, const std::string& mask, const KeptNames& kept = true);
  // Whether an entry the URL-cache walks meet stays: a kept site's cookie,
  // noted in keptCookies.
  bool KeepsCacheEntry(const UrlCacheEntry& entry);
  // What the cookie folder keeps while cookies are kept: its index, its
  // desktop.ini and the kept cookies' files (a subfolder that holds one
  // stays whole).
  KeptNames KeptInCookieFolder(const std::string& folder) const;
  // The report's lines of the kept cookies, under the cookie step: what the
  // stored list left out, and how many cookies of which sites stay.
  std::vector<ReportEntry> KeptCookieLines() const;
  // An index file overwritten in place (nothing for an empty path); a
  // failure is told to indexWiped, then thrown on.
  void WipeIndex(const std::string& file);
  // DelTree of the steps.
  void DeleteTree(const std::string& folder);
  // A URL-cache container's folder (the cache's Content.IE5, the cookie
  // folder, History.IE5) may be emptied and its indexes wiped only when it
  // holds the library's index, or nothing but index files: set onto the
  // user's own files, it holds them instead. One that does not is left
  // whole, told and counted as left in place.
  bool MayEmptyContainer(const std::string& folder);
  // A container's folder left whole: told, with why, and counted as left.
  void KeepContainer(const std::string& folder, const char* why);
  // The folder's subfolders; a folder that could not be listed keeps them:
  // told (notListed) and counted as left in place.
  std::vector<std::string> SubfoldersOf(const std::string& folder);
  // A shell folder of the current user, or empty when it cannot be found;
  // in UTF-8, as the erase's file layer takes paths.
  std::string ShellFolder(const std::string& valueName);
};

}  // namespace vandrel
