#include "allowlist/AllowedListDialog.h"

#include <algorithm>

#include "blocklist/TForm3.h"
#include "settings/DeleteConfirmation.h"

namespace vandrel {
namespace {

constexpr int kTitleKind = 0;
constexpr int kSiteKind = 1;

AllowedKind KindAt(int index) { return index == kSiteKind ? AllowedKind::Site : AllowedKind::Title; }

}  // namespace

std::string AllowedItemText(const AllowedEntry& entry) {
  return (entry.kind == AllowedKind::Site ? kAllowedSiteItemPrefix : kAllowedTitleItemPrefix) + entry.text;
}

std::vector<std::string> OverriddenEntries(const AllowedList& allowed, const BlockList& blockList) {
  const AnsiCodePage& codePage = blockList.CodePage();
  // Upper-cased once: the block list may hold a hundred thousand entries.
  std::vector<std::string> titleParts;
  for (const AllowedEntry& entry : allowed.Entries()) {
    if (entry.kind == AllowedKind::Title) titleParts.push_back(codePage.UpperCased(entry.text));
  }
  std::vector<std::string> overridden;
  if (titleParts.empty()) return overridden;
  for (const std::string& blocked : blockList.Entries()) {
    if (blocked.empty()) continue;
    const std::string blockedUpper = codePage.UpperCased(blocked);
    const bool covered = std::any_of(titleParts.begin(), titleParts.end(), [&](const std::string& part) {
      return FindCharacters(part, blockedUpper, codePage.LeadBytes()) != std::string::npos;
    });
    if (covered) overridden.push_back(blocked);
  }
  return overridden;
}

AllowedListDialog::AllowedListDialog(AllowedList& list, AllowedStore& store, const BlockList& blockList,
                                     BlockListPassword& password, Prompts& prompts, Settings& settings,
                                     Registry& registry)
    : list_(list),
      store_(store),
      blockList_(blockList),
      password_(password),
      prompts_(prompts),
      settings_(settings),
      registry_(registry) {
  Form.SetCaption(kAllowedListCaption);
  Form.SetVisible(false);
  EntriesGroup.SetCaption("Windows that are never closed");
  KindLabel.SetCaption("&Allow by");
  TextLabel.SetCaption("&Entry");
  Kind.Items = {"Title part", "Site"};
  Kind.SetItemIndex(kTitleKind);
  Entries.SetHint("A title part allows every window whose title holds it; a site allows its pages and subdomains.");
  Entries.OnClick = [this] { EntriesClick(); };
  Add.Design("A&dd", [this] { AddClick(); });
  Change.Design("&Change", [this] { ChangeClick(); });
  Remove.Design("&Remove", [this] { RemoveClick(); });
  Close.Design("Close", [this] { CloseClick(); });
}

void AllowedListDialog::Open() {
  if (Form.Visible()) return Form.BringToFront();
  if (password_.MayOpen() && showModal) showModal();
}

void AllowedListDialog::Propose(AllowedKind kind, std::string text) {
  // The window may be open with the user's own text in its entry: that stays.
  if (!Form.Visible() || EntryText.Text().empty()) {
    Kind.SetItemIndex(kind == AllowedKind::Site ? kSiteKind : kTitleKind);
    EntryText.SetText(std::move(text));
  }
  Open();
}

void AllowedListDialog::FormShow() { ShowEntries(-1); }

void AllowedListDialog::EntriesClick() {
  const int selected = Entries.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(list_.Entries().size())) return;
  const AllowedEntry& entry = list_.Entries()[static_cast<std::size_t>(selected)];
  Kind.SetItemIndex(entry.kind == AllowedKind::Site ? kSiteKind : kTitleKind);
  EntryText.SetText(entry.text);
}

std::optional<AllowedEntry> AllowedListDialog::TypedEntry() {
  const AllowedKind kind = KindAt(Kind.ItemIndex());
  const CheckedEntry checked = CheckAllowedEntry(kind, EntryText.Text(), list_.CodePage().LeadBytes());
  if (!checked.problem.empty()) {
    Warn(checked.problem);
    return std::nullopt;
  }
  if (!checked.note.empty()) {
    EntryText.SetText(checked.text);
    Warn(checked.note);
  }
  return AllowedEntry{kind, checked.text};
}

void AllowedListDialog::AddClick() {
  const auto entry = TypedEntry();
  if (!entry) return;
  if (!list_.Add(*entry)) return Warn(kAllowedAlreadyThere);
  Saved();
  ShowEntries(static_cast<int>(list_.Entries().size()) - 1);
}

void AllowedListDialog::ChangeClick() {
  const int selected = Entries.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(list_.Entries().size())) return Warn(kAllowedNothingSelected);
  // Read before the checks: their boxes run messages, and the list may change meanwhile.
  const AllowedEntry before = list_.Entries()[static_cast<std::size_t>(selected)];
  const auto entry = TypedEntry();
  if (!entry) return;
  const int at = list_.IndexOf(before.kind, before.text);
  if (at < 0) return Warn(kAllowedNothingSelected);
  const int same = list_.IndexOf(entry->kind, entry->text);
  if (same >= 0 && same != at) return Warn(kAllowedAlreadyThere);
  list_.Replace(static_cast<std::size_t>(at), *entry);
  Saved();
  ShowEntries(at);
}

void AllowedListDialog::RemoveClick() {
  const int selected = Entries.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(list_.Entries().size())) return Warn(kAllowedNothingSelected);
  // Taken by value: the question runs messages, and the list may change meanwhile.
  const AllowedEntry entry = list_.Entries()[static_cast<std::size_t>(selected)];
  if (!ConfirmDelete(prompts_, settings_, registry_, kConfirmDelete)) return;
  const int at = list_.IndexOf(entry.kind, entry.text);
  if (at < 0) return;
  list_.Remove(static_cast<std::size_t>(at));
  Saved();
  ShowEntries(-1);
}

void AllowedListDialog::EntriesKeyDown(int& key) {
  if (key != kDeleteKey) return;
  key = 0;
  RemoveClick();
}

void AllowedListDialog::EntryTextKeyPress(char& key) {
  if (key != kEnterCharacter) return;
  key = 0;
  AddClick();
}

void AllowedListDialog::Saved() { store_.Save(list_); }

void AllowedListDialog::ShowEntries(int selected) {
  std::vector<std::string> items;
  for (const AllowedEntry& entry : list_.Entries()) items.push_back(AllowedItemText(entry));
  Entries.SetItems(std::move(items));
  Entries.SetItemIndex(selected);
  const std::vector<std::string> overridden = OverriddenEntries(list_, blockList_);
  std::string text = overridden.empty() ? kOverridesNone : kOverridesPrefix;
  for (std::size_t i = 0; i < overridden.size(); ++i) text += (i ? ", '" : "'") + overridden[i] + "'";
  Overrides.SetCaption(text);
}

void AllowedListDialog::Warn(const std::string& text) {
  prompts_.Message(MessageKind::Warning, text, MessageButtons::Ok);
}

}  // namespace vandrel
