#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "allowlist/AllowedList.h"
#include "blocklist/BlockList.h"
#include "monitor/RecentlyClosed.h"
#include "platform/DocumentOpener.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "settings/Settings.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kRecentlyClosedCaption = "Recently closed";
// Page titles longer than this are cut, so the menu stays on the screen.
inline constexpr std::size_t kShownTitleLength = 60;

// "<page title> (<rule>)", the page title cut to kShownTitleLength (see
// Shortened) and every '&' doubled so that the menu shows it instead of
// taking it for a mnemonic; then a tab and the time (the menu puts it in its
// own column).
std::string RecentlyClosedCaption(const ClosedWindow& closed, const std::string& titleSuffix,
                                  const LeadByteTable& leadBytes);
std::string RemoveEntryQuestion(const std::string& entry);

// Only a web page's address is handed to the shell: a closed window's
// address comes from the page, and another scheme (a file, a script, a
// program's path) would run what the page chose.
bool IsWebAddress(std::string_view address);
inline constexpr const char* kAddressNotOpened = "This address is not a web page's, so it is not opened:\r\n%s";
// A Reopen of a window whose address the shell never named.
inline constexpr const char* kClosedAddressUnknown =
    "The address of this window was not known before it was closed, so it cannot be opened again. "
    "Nothing was changed.";

// What each recently closed window offers, in its own submenu.
enum class ClosedWindowAction { Reopen, AllowSite, AllowTitle };
inline constexpr std::size_t kClosedWindowActionCount = 3;
inline constexpr const char* kClosedWindowActionCaptions[kClosedWindowActionCount] = {
    "&Reopen", "Always allow this &site", "Always allow windows &titled like this"};

// One item of the submenu: its caption, and whether an address was read.
struct RecentlyClosedItem {
  std::string caption;
  bool hasAddress = false;
};

// The tray's submenu of recently closed windows and what choosing one does:
// its address is opened with the shell, and when the block list closed it
// the user may take the entry that matched out of the list.
class RecentlyClosedMenu {
 public:
  // `saveBlockList` writes the list's file after a removal.
  RecentlyClosedMenu(RecentlyClosed& closed, const std::string& titleSuffix, const LeadByteTable& leadBytes,
                     BlockList& blockList, Settings& settings, Registry& registry, Prompts& prompts,
                     DocumentOpener& documents, std::function<void()> saveBlockList);

  // The items, newest first; the ones a later Choose picks from.
  std::vector<std::string> Captions();
  std::vector<RecentlyClosedItem> Items();
  // The always-allowed list its items add to: `save` writes the list's file,
  // `proposeTitle` opens the list's window with a title part typed in and
  // returns when it has closed.
  void UseAllowed(AllowedList& allowed, std::function<void()> save, std::function<void(std::string)> proposeTitle);
  // `action` of the item at `index` of the last Captions()/Items().
  void Choose(std::size_t index, ClosedWindowAction action);
  // The item at this index of the last Captions(); gone or out of range does nothing.
  void Choose(std::size_t index) { Choose(index, ClosedWindowAction::Reopen); }

 private:
  bool ConfirmRemoval(const std::string& entry);
  void AllowSite(const ClosedWindow& chosen);
  void AllowTitle(const ClosedWindow& chosen);
  void Reopen(const ClosedWindow& chosen);
  void OpenAddress(const std::string& address);

  RecentlyClosed& closed_;
  const std::string& titleSuffix_;
  const LeadByteTable& leadBytes_;
  BlockList& blockList_;
  Settings& settings_;
  Registry& registry_;
  Prompts& prompts_;
  DocumentOpener& documents_;
  std::function<void()> saveBlockList_;
  AllowedList* allowed_ = nullptr;
  std::function<void()> saveAllowed_;
  std::function<void(std::string)> proposeTitle_;
  std::vector<std::uint32_t> shown_;  // serials, in the order of the last Captions()
};

}  // namespace vandrel
