#include "app/TrayMenus.h"

#include <algorithm>

#include "app/MenuCaption.h"
#include "app/ShortText.h"
#include "blocklist/TitleEntry.h"
#include "platform/BrowserFrames.h"

namespace vandrel {

TrayMenu RecentlyClosedItems(const std::vector<RecentlyClosedItem>& recentlyClosed) {
  TrayMenu items;
  for (std::size_t i = 0; i < recentlyClosed.size(); ++i) {
    TrayMenuItem closed{recentlyClosed[i].caption, TrayAction::None};
    for (std::size_t action = 0; action < kClosedWindowActionCount; ++action) {
      TrayMenuItem item{kClosedWindowActionCaptions[action], TrayAction::None};
      item.choice = static_cast<int>(i * kClosedWindowActionCount + action);
      item.enabled =
          static_cast<ClosedWindowAction>(action) != ClosedWindowAction::AllowSite || recentlyClosed[i].hasAddress;
      closed.submenu.push_back(std::move(item));
    }
    items.push_back(std::move(closed));
  }
  return items;
}

TrayMenu StaticTrayMenu(const BlockingModes& modes, const std::vector<RecentlyClosedItem>& recentlyClosed,
                        bool noticeOn, bool logOnEraseOn) {
  TrayMenuItem recent{kRecentlyClosedCaption, TrayAction::RecentlyClosed};
  recent.submenu = RecentlyClosedItems(recentlyClosed);
  recent.enabled = !recentlyClosed.empty();
  TrayMenuItem notice{kNoticeCaption, TrayAction::NoticeToggle};
  notice.checked = noticeOn;
  TrayMenuItem logOnErase{kLogOnEraseCaption, TrayAction::LogOnEraseToggle};
  logOnErase.checked = logOnEraseOn;
  return {
      {"Show", TrayAction::Show},
      {modes.Start1.Caption(), TrayAction::StartToggle},
      {modes.Stop1002.Caption(), TrayAction::Block100Toggle},
      {"Block List", TrayAction::BlockList},
      {"Always Allowed", TrayAction::AllowedList},
      {"Erase", TrayAction::Erase},
      recent,
      notice,
      logOnErase,
      {"Exit", TrayAction::ExitWithQuestion},
  };
}

std::string MoreFramesCaption(std::size_t leftOut) {
  return "... and " + std::to_string(leftOut) + (leftOut == 1 ? " more browser window" : " more browser windows");
}

TrayMenu BrowserWindowsMenu(const std::vector<std::string>& titles, const BlockingModes& modes,
                            const LeadByteTable& leadBytes, std::size_t mostTitles) {
  // The header only names the list below it: choosing it does nothing.
  TrayMenu menu{{kTrayHeader, TrayAction::None}, {kTraySeparator, TrayAction::None}};
  const std::size_t listed = std::min(titles.size(), std::max<std::size_t>(mostTitles, 1));
  for (std::size_t i = 0; i < listed; ++i) {
    TrayMenuItem item{LiteralCaption(Shortened(titles[i], kMenuTitleLength, leadBytes)), TrayAction::AddTitle};
    item.title = titles[i];
    menu.push_back(std::move(item));
  }
  if (listed < titles.size()) {
    TrayMenuItem more{MoreFramesCaption(titles.size() - listed), TrayAction::None};
    more.enabled = false;
    menu.push_back(std::move(more));
  }
  menu.insert(menu.end(), {
                              {kTraySeparator, TrayAction::None},
                              {modes.BlockMenuLabel(), TrayAction::StartToggle},
                              {"Show", TrayAction::Show},
                              {modes.Block100MenuLabel(), TrayAction::Block100Toggle},
                              {"Erase", TrayAction::Erase},
                              // This menu's Exit never asks.
                              {"Exit", TrayAction::ExitWithoutQuestion},
                          });
  return menu;
}

TrayMenus::TrayMenus(Desktop& desktop, BlockList& blockList, const std::string& titleSuffix, const BlockingModes& modes,
                     Prompts& prompts, TrayCommands& commands, RecentlyClosedMenu& recentlyClosed, CloseNotice& notice,
                     LogOnEraseOption& logOnErase)
    : desktop_(desktop),
      blockList_(blockList),
      titleSuffix_(titleSuffix),
      modes_(modes),
      prompts_(prompts),
      commands_(commands),
      recentlyClosed_(recentlyClosed),
      notice_(notice),
      logOnErase_(logOnErase) {}

void TrayMenus::CoolTrayIcon1MouseDown() {
  if (onMouseDown) onMouseDown();
  const auto titles = BrowserFrameTitles(desktop_);
  browserWindows_ = titles.empty() ? TrayMenu{} : BrowserWindowsMenu(titles, modes_, blockList_.CodePage().LeadBytes(), mostListedFrames);
}

TrayMenu TrayMenus::CurrentMenu() { return browserWindows_.empty() ? StaticMenu() : browserWindows_; }

void TrayMenus::Choose(std::size_t index) {
  if (browserWindows_.empty()) {
    ChooseStatic(index);
    return;
  }
  if (index >= browserWindows_.size()) return;
  // Copied: a box shown by the handler runs messages, and a tray press in
  // it rebuilds the menu under any reference into it.
  const TrayMenuItem item = browserWindows_[index];
  if (item.action != TrayAction::AddTitle) return Run(item.action);
  std::string caption = MyPopupHandler(item.title);
  if (index < browserWindows_.size() && browserWindows_[index] == item) {
    browserWindows_[index].caption = std::move(caption);
  }
}

void TrayMenus::ChooseStatic(std::size_t index) {
  // The items before the submenu never move, and the submenu itself runs nothing.
  const TrayMenu menu = StaticMenu();
  if (index < menu.size()) Run(menu[index].action);
}

std::string TrayMenus::MyPopupHandler(const std::string& title) {
  // The title comes from the item's record, not from its caption: a caption
  // shows each '&' doubled, and a title may hold one ("Q&A Forum").
  const LeadByteTable& leadBytes = blockList_.CodePage().LeadBytes();
  std::string caption = LiteralCaption(Shortened(TrimmedTitle(title), kMenuTitleLength, leadBytes));
  const TitleEntry taken = EntryOfTitle(title, titleSuffix_, leadBytes);
  switch (taken.outcome) {
    case TitleEntry::Outcome::NoTitle:
      prompts_.Message(MessageKind::Information, kNoTitleMessage, MessageButtons::Ok);
      return caption;
    case TitleEntry::Outcome::TooShort:
      prompts_.Message(MessageKind::Warning, kKeywordTooShort, MessageButtons::Ok);
      return caption;
    case TitleEntry::Outcome::Entry:
      if (blockList_.IndexOf(taken.entry) < 0) blockList_.Add(taken.entry);
      break;
    case TitleEntry::Outcome::NoSuffix: break;
  }
  commands_.SaveBlockList();
  return caption;
}

void TrayMenus::Run(TrayAction action) {
  switch (action) {
    case TrayAction::None:
    case TrayAction::AddTitle:
    case TrayAction::RecentlyClosed: return;
    case TrayAction::Show: return commands_.Show();
    case TrayAction::StartToggle: return commands_.StartToggle();
    case TrayAction::Block100Toggle: return commands_.Block100Toggle();
    case TrayAction::BlockList: return commands_.BlockList();
    case TrayAction::Erase: return commands_.Erase();
    case TrayAction::ExitWithQuestion: return commands_.ExitWithQuestion();
    case TrayAction::ExitWithoutQuestion: return commands_.ExitWithoutQuestion();
    case TrayAction::NoticeToggle: return notice_.Toggle();
    case TrayAction::LogOnEraseToggle: return logOnErase_.Toggle();
    case TrayAction::AllowedList: return commands_.AllowedList();
  }
}

}  // namespace vandrel
