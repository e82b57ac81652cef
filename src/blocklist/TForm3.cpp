#include "blocklist/TForm3.h"

#include <algorithm>

#include "blocklist/TitleEntry.h"
#include "platform/BrowserFrames.h"
#include "settings/DeleteConfirmation.h"

namespace vandrel {
TForm3::TForm3(Desktop& desktop, BlockList& list, TitlesStore& titles, Prompts& prompts, Registry& registry,
               Settings& settings, const std::string& titleSuffix)
    : Protection(registry, prompts),
      desktop_(desktop),
      list_(list),
      titles_(titles),
      prompts_(prompts),
      registry_(registry),
      settings_(settings),
      titleSuffix_(titleSuffix) {
  Form.SetCaption(kBlockListCaption);
  Form.SetVisible(false);
  GroupBox1.SetCaption("Currently opened windows");
  GroupBox2.SetCaption("Block list");
  GroupBox3.SetCaption("Keywords");
  GroupBox4.SetCaption("Password");
  Label2.SetCaption("Add a key&word to the Block list");
  ListBox1.SetHint("Double click on a title to add it to the Block list.");
  ListBox2.SetHint("Del to delete or right click for menu.");
  Refresh.Design("Refresh &titles", [this] { RefreshClick(); });
  AddToBlackList.Design("&Add to block list", [this] { AddToBlackListClick(); });
  Remove1.Design("Remove from block list", [this] { RemoveFromBlackListClick(); });
  RemoveFromBlackList.Design("&Remove from block list", [this] { RemoveFromBlackListClick(); });
  Import.Design("&Import", [this] { ImportClick(); });
  Export.Design("&Export", [this] { ExportClick(); });
  AddKeyword.Design("A&dd", [this] { AddKeywordClick(); });
  Minimize.Design("&Hide", [this] { MinimizeClick(); });
}

void TForm3::FormCreate() {
  titles_.LoadTitles(list_);
  Scroller();
}

void TForm3::FormClose() {
  Protection.Closing();
  titles_.SaveTitlesClick(list_);
}

void TForm3::RefreshClick() {
  RefreshTitles();
  Protection.Refreshed();
}

void TForm3::RefreshTitles() {
  ListBox1.SetItemIndex(-1);
  ListBox1.SetItems(BrowserFrameTitles(desktop_));
  Scroller();
}

void TForm3::AddToBlackListClick() {
  const auto& titles = ListBox1.Items();
  if (titles.empty()) return Warn(kNoTitlesToAdd);
  const int selected = ListBox1.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(titles.size())) {
    Warn(kSelectTitle);
    return Scroller();
  }
  const TitleEntry taken =
      EntryOfTitle(titles[static_cast<std::size_t>(selected)], titleSuffix_, list_.CodePage().LeadBytes());
  if (taken.outcome == TitleEntry::Outcome::NoTitle) return Warn(kWindowHasNoTitle);
  if (taken.outcome == TitleEntry::Outcome::TooShort) return Warn(kKeywordTooShort);
  if (taken.outcome == TitleEntry::Outcome::Entry && list_.IndexOf(taken.entry) < 0) list_.Add(taken.entry);
  Scroller();
}

void TForm3::RemoveFromBlackListClick() {
  const int selected = ListBox2.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(list_.Count())) return Warn(kNoTitleSelected);
  // Taken by value: while the question is up, an add from the tray or the
  // keyword box may move the entries.
  const std::string entry = list_.Entries()[static_cast<std::size_t>(selected)];
  if (!ConfirmDelete(prompts_, settings_, registry_, kConfirmDelete)) return;
  const auto& entries = list_.Entries();
  const auto found = std::find(entries.begin(), entries.end(), entry);
  if (found != entries.end()) list_.Delete(static_cast<std::size_t>(found - entries.begin()));
  ListBox2.SetItemIndex(-1);
  Scroller();
}

void TForm3::AddKeywordClick() {
  const std::string& keyword = AKW.Text();
  if (TooShortForEntry(keyword)) return Warn(kKeywordTooShort);
  if (list_.IndexOf(keyword) >= 0) return;
  list_.Add(keyword);
  ShowEntries();
}

void TForm3::ImportClick() {
  titles_.ImportClick(list_);
  ShowEntries();
}

void TForm3::ExportClick() { titles_.ExportClick(list_); }

void TForm3::MinimizeClick() {
  FormClose();
  Form.SetVisible(false);
}

void TForm3::ListBox2KeyDown(int& key) {
  if (key == kDeleteKey) {
    RemoveFromBlackListClick();
    key = 0;
  }
  Scroller();
}

void TForm3::AKWKeyPress(char& key) {
  if (key != kEnterCharacter) return;
  key = 0;
  AddKeywordClick();
}

void TForm3::Scroller() {
  ShowEntries();
  // ListBox2 is measured over the list itself: while the dialog is hidden
  // it is not filled.
  const std::pair<ListBox*, const std::vector<std::string>*> boxes[] = {{&ListBox1, &ListBox1.Items()},
                                                                        {&ListBox2, &list_.Entries()}};
  for (const auto& [box, items] : boxes) {
    const int widest = widestItem && !items->empty() ? widestItem(*box, *items) : 0;
    box->SetScrollWidth(widest + kScrollMargin);
  }
}

void TForm3::AddtotheBlackList1Click() {
  // An open dialog holds what the user is typing, the password frame too:
  // the command only brings it to the front.
  if (Form.Visible()) return Form.BringToFront();
  if (Protection.MayOpen() && showModal) showModal();
}

void TForm3::ShowEntries() {
  // Filling a list box with a list of a hundred thousand entries takes
  // long: it is filled when the dialog is shown, not at every change
  // while it is hidden.
  if (!Form.Visible()) return;
  const auto& shown = ListBox2.Items();
  const int selected = ListBox2.ItemIndex();
  const bool hasSelection = selected >= 0 && selected < static_cast<int>(shown.size());
  const std::string selectedEntry = hasSelection ? shown[static_cast<std::size_t>(selected)] : std::string();
  if (shown == list_.Entries()) return;
  ListBox2.SetItems(list_.Entries());
  if (!hasSelection) return ListBox2.SetItemIndex(-1);
  const auto& entries = list_.Entries();
  const auto found = std::find(entries.begin(), entries.end(), selectedEntry);
  ListBox2.SetItemIndex(found == entries.end() ? -1 : static_cast<int>(found - entries.begin()));
}

void TForm3::Warn(const char* text) { prompts_.Message(MessageKind::Warning, text, MessageButtons::Ok); }

}  // namespace vandrel
