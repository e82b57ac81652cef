#include "app/RecentlyClosedMenu.h"

#include <algorithm>

#include "app/MenuCaption.h"
#include "app/ShortText.h"
#include "blocklist/TitleSuffix.h"
#include "platform/AsciiCase.h"
#include "platform/PlatformError.h"
#include "settings/DeleteConfirmation.h"

namespace vandrel {
namespace {

std::string ShownTitle(const std::string& title, const std::string& titleSuffix, const LeadByteTable& leadBytes) {
  // Every frame the two passes close carries the suffix; its page title is what tells them apart.
  const std::string_view page = TitlePart(title, titleSuffix, leadBytes);
  return Shortened(page.empty() ? std::string_view(title) : page, kShownTitleLength, leadBytes);
}

std::string ShownRule(const ClosedWindow& closed, const LeadByteTable& leadBytes) {
  // A block-list entry may be as long as a title: it is cut as the title is.
  const std::size_t prefix = std::char_traits<char>::length(kBlockListRulePrefix);
  return Shortened(RuleText(closed), prefix + kShownTitleLength, leadBytes);
}

int ExactIndex(const BlockList& list, const std::string& entry) {
  const auto& entries = list.Entries();
  const auto found = std::find(entries.begin(), entries.end(), entry);
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

}  // namespace

std::string RecentlyClosedCaption(const ClosedWindow& closed, const std::string& titleSuffix,
                                  const LeadByteTable& leadBytes) {
  const std::string caption =
      ShownTitle(closed.title, titleSuffix, leadBytes) + " (" + ShownRule(closed, leadBytes) + ")";
  return LiteralCaption(caption) + "\t" + closed.time;
}

std::string RemoveEntryQuestion(const std::string& entry) { return "Remove '" + entry + "' from the block list?"; }

bool IsWebAddress(std::string_view address) {
  for (const std::string_view scheme : {"http://", "https://", "ftp://"}) {
    if (address.size() > scheme.size() && StartsWithIgnoringAsciiCase(address, scheme)) return true;
  }
  return false;
}

void RecentlyClosedMenu::OpenAddress(const std::string& address) {
  if (IsWebAddress(address)) {
    documents_.Open(address, ShowCommand::Normal, false);
  } else {
    prompts_.Message(MessageKind::Information, FormatMessageText(kAddressNotOpened, address), MessageButtons::Ok);
  }
}

RecentlyClosedMenu::RecentlyClosedMenu(RecentlyClosed& closed, const std::string& titleSuffix,
                                       const LeadByteTable& leadBytes, BlockList& blockList, Settings& settings,
                                       Registry& registry, Prompts& prompts, DocumentOpener& documents,
                                       std::function<void()> saveBlockList)
    : closed_(closed),
      titleSuffix_(titleSuffix),
      leadBytes_(leadBytes),
      blockList_(blockList),
      settings_(settings),
      registry_(registry),
      prompts_(prompts),
      documents_(documents),
      saveBlockList_(std::move(saveBlockList)) {}

std::vector<std::string> RecentlyClosedMenu::Captions() {
  closed_.TakeAnswers();
  shown_.clear();
  std::vector<std::string> captions;
  for (const ClosedWindow& closed : closed_.Newest()) {
    shown_.push_back(closed.serial);
    captions.push_back(RecentlyClosedCaption(closed, titleSuffix_, leadBytes_));
  }
  return captions;
}

std::vector<RecentlyClosedItem> RecentlyClosedMenu::Items() {
  std::vector<RecentlyClosedItem> items;
  for (std::string& caption : Captions()) items.push_back({std::move(caption), false});
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ClosedWindow* closed = closed_.Find(shown_[i]);
    items[i].hasAddress = closed && !HostOf(closed->address).empty();
  }
  return items;
}

void RecentlyClosedMenu::UseAllowed(AllowedList& allowed, std::function<void()> save,
                                    std::function<void(std::string)> proposeTitle) {
  allowed_ = &allowed;
  saveAllowed_ = std::move(save);
  proposeTitle_ = std::move(proposeTitle);
}

void RecentlyClosedMenu::Choose(std::size_t index, ClosedWindowAction action) {
  if (index >= shown_.size()) return;
  closed_.TakeAnswers();  // an address may have come while the menu was up
  const ClosedWindow* found = closed_.Find(shown_[index]);
  if (!found) return;
  // Copied: a question or window runs messages, and a tick among them changes the list.
  const ClosedWindow chosen = *found;
  switch (action) {
    case ClosedWindowAction::Reopen: return Reopen(chosen);
    case ClosedWindowAction::AllowSite: return AllowSite(chosen);
    case ClosedWindowAction::AllowTitle: return AllowTitle(chosen);
  }
}

void RecentlyClosedMenu::AllowSite(const ClosedWindow& chosen) {
  const std::string host = HostOf(chosen.address);
  if (!allowed_ || host.empty()) return;
  allowed_->Add({AllowedKind::Site, host});
  if (saveAllowed_) saveAllowed_();
  OpenAddress(chosen.address);
}

void RecentlyClosedMenu::AllowTitle(const ClosedWindow& chosen) {
  if (!allowed_ || !proposeTitle_) return;
  // The page title's words, for the user to cut down before adding.
  std::string words(TitlePart(chosen.title, titleSuffix_, leadBytes_));
  if (words.empty()) words = chosen.title;
  const std::uint32_t before = allowed_->Revision();
  proposeTitle_(words);
  // Reopened only when the window added an entry that now lets the page through.
  if (allowed_->Revision() != before && allowed_->AllowsTitle(TitlePart(chosen.title, titleSuffix_, leadBytes_)) &&
      !chosen.address.empty()) {
    OpenAddress(chosen.address);
  }
}

void RecentlyClosedMenu::Reopen(const ClosedWindow& chosen) {
  // Taking the entry out would open nothing, so nothing changes.
  if (chosen.address.empty()) {
    prompts_.Message(MessageKind::Information, kClosedAddressUnknown, MessageButtons::Ok);
    return;
  }
  // The entry goes first, so that the page opened next is not closed again at once.
  if (chosen.ClosedByBlockList() && ExactIndex(blockList_, chosen.blockListEntry) >= 0 &&
      ConfirmRemoval(chosen.blockListEntry)) {
    // Looked up again: the list may have changed while the question was up.
    const int at = ExactIndex(blockList_, chosen.blockListEntry);
    if (at >= 0) {
      blockList_.Delete(static_cast<std::size_t>(at));
      if (saveBlockList_) saveBlockList_();
    }
  }
  OpenAddress(chosen.address);
}

bool RecentlyClosedMenu::ConfirmRemoval(const std::string& entry) {
  // Taking an entry out is a delete from the block list, so the question
  // that confirms deletes decides whether it is asked.
  return ConfirmDelete(prompts_, settings_, registry_, RemoveEntryQuestion(entry));
}

}  // namespace vandrel
