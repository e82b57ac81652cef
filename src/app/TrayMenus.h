#pragma once
#include <functional>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/CloseNotice.h"
#include "app/LogOnErase.h"
#include "app/RecentlyClosedMenu.h"
#include "blocklist/BlockList.h"
#include "monitor/BlockingModes.h"
#include "platform/Desktop.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kTrayHeader = "vvvvvv Add to block list vvvvvv";
inline constexpr const char* kTraySeparator = "-";
inline constexpr const char* kNoTitleMessage =
    "It looks like this window has no title, so it can not be added to the\r\nBlock list, because "
    "some windows will be closed immediately.";

// What the notification-area menus ask of the rest of the program. The
// application implements it over the main window and the block list store.
class TrayCommands {
 public:
  virtual ~TrayCommands() = default;
  virtual void Show() = 0;            // reveal the main window
  virtual void StartToggle() = 0;     // Block on or off
  virtual void Block100Toggle() = 0;  // Block 100% on or off
  virtual void BlockList() = 0;       // the block list command (asks for the password)
  virtual void AllowedList() = 0;     // the always-allowed window (asks for the password too)
  virtual void Erase() = 0;
  virtual void ExitWithQuestion() = 0;
  virtual void ExitWithoutQuestion() = 0;
  // Writes the block list file at once; reports its own failures.
  virtual void SaveBlockList() = 0;
};

enum class TrayAction {
  None,  // separators
  AddTitle,
  Show,
  StartToggle,
  Block100Toggle,
  BlockList,
  Erase,
  ExitWithQuestion,
  ExitWithoutQuestion,
  RecentlyClosed,    // the submenu; its items run ChooseRecentlyClosed
  NoticeToggle,      // the balloon about closed windows on or off
  LogOnEraseToggle,  // the erase at log-on on or off
  AllowedList,       // the always-allowed window (asks for the password)
};

struct TrayMenuItem {
  TrayMenuItem() = default;
  TrayMenuItem(std::string caption, TrayAction action) : caption(std::move(caption)), action(action) {}

  std::string caption;  // as the menu shows it: '&' marks the accelerator, "&&" shows an '&'
  TrayAction action = TrayAction::None;
  std::string title;                  // an AddTitle item: the window's whole title, as read
  std::vector<TrayMenuItem> submenu;  // of the RecentlyClosed item, and of each of its items
  bool enabled = true;
  int choice = -1;  // an item of a closed window's submenu: what ChooseRecentlyClosed takes
  bool checked = false;
  bool IsSeparator() const { return caption == kTraySeparator; }
  bool operator==(const TrayMenuItem&) const = default;
};

using TrayMenu = std::vector<TrayMenuItem>;

// The static menu: the main window's context menu, and the icon's menu
// while no browser window is open. Its "Recently closed" submenu holds
// these items, each with the submenu of what it offers, and is disabled
// while there are none; the notice's item after it is checked while the
// notice is on, and the log-on erase's after that while it is on.
TrayMenu StaticTrayMenu(const BlockingModes& modes, const std::vector<RecentlyClosedItem>& recentlyClosed,
                        bool noticeOn, bool logOnEraseOn);
// The items of the "Recently closed" submenu, each with what it offers.
TrayMenu RecentlyClosedItems(const std::vector<RecentlyClosedItem>& recentlyClosed);
// A title item's caption keeps this many bytes of the title at the most:
// a title is read whole, and a page may make it thousands of characters long.
inline constexpr std::size_t kMenuTitleLength = 200;
// The menu that lists the open browser windows, to add one to the block list:
// the first mostTitles of them (a page can open a thousand frames off the
// screen), then a line that counts the rest.
TrayMenu BrowserWindowsMenu(const std::vector<std::string>& titles, const BlockingModes& modes,
                            const LeadByteTable& leadBytes, std::size_t mostTitles);
// The frames a menu lists until the view says how many its screen holds.
inline constexpr std::size_t kMostListedFrames = 30;
// The browser windows menu's items besides the titles (header, separators,
// the count of the rest, the commands).
inline constexpr std::size_t kBrowserMenuFixedItems = 9;
// The line after the listed titles, with the number of those left out.
std::string MoreFramesCaption(std::size_t leftOut);

// The icon's menus: rebuilt at every mouse press on the icon, and the
// choice of one of their items.
class TrayMenus {
 public:
  TrayMenus(Desktop& desktop, BlockList& blockList, const std::string& titleSuffix, const BlockingModes& modes,
            Prompts& prompts, TrayCommands& commands, RecentlyClosedMenu& recentlyClosed, CloseNotice& notice,
            LogOnEraseOption& logOnErase);

  // A mouse button went down on the icon: the menu becomes the list of
  // browser windows, or the static menu when none is open.
  void CoolTrayIcon1MouseDown();
  // How many frames the browser windows menu lists at the most: what the
  // screen holds, which the view tells.
  std::size_t mostListedFrames = kMostListedFrames;
  // Runs first at every press: the block list dialog refreshes its list of
  // browser windows.
  std::function<void()> onMouseDown;
  // A double click on the icon shows the main window.
  void CoolTrayIcon1DblClick() { commands_.Show(); }
  // The static menu shows the blocking modes and the recently closed
  // windows as they are now.
  TrayMenu CurrentMenu();
  TrayMenu StaticMenu() { return StaticTrayMenu(modes_, recentlyClosed_.Items(), notice_.On(), logOnErase_.On()); }
  // The "Recently closed" submenu as a menu of its own (a click on the balloon).
  TrayMenu RecentlyClosedMenuItems() { return RecentlyClosedItems(recentlyClosed_.Items()); }
  // The item at this index of the current menu was chosen; out of range does nothing.
  void Choose(std::size_t index);
  // The static menu's item at this index (the main window's context menu).
  void ChooseStatic(std::size_t index);
  // The item of a closed window's submenu with this `choice`, in the last menu.
  void ChooseRecentlyClosed(std::size_t choice) {
    recentlyClosed_.Choose(choice / kClosedWindowActionCount,
                           static_cast<ClosedWindowAction>(choice % kClosedWindowActionCount));
  }
  // A title item of the browser windows menu was clicked: `title` is the
  // window's title as it was read. Returns the caption to keep on the item.
  std::string MyPopupHandler(const std::string& title);

 private:
  void Run(TrayAction action);

  Desktop& desktop_;
  BlockList& blockList_;
  const std::string& titleSuffix_;
  const BlockingModes& modes_;
  Prompts& prompts_;
  TrayCommands& commands_;
  RecentlyClosedMenu& recentlyClosed_;
  CloseNotice& notice_;
  LogOnEraseOption& logOnErase_;
  TrayMenu browserWindows_;  // empty: the static menu is the icon's menu
};

}  // namespace vandrel
