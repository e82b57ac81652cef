#pragma once
#include <functional>
#include <string>
#include <vector>

#include "allowlist/AllowedList.h"
#include "allowlist/AllowedStore.h"
#include "blocklist/BlockList.h"
#include "blocklist/BlockListPassword.h"
#include "platform/Registry.h"
#include "settings/Settings.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kAllowedListCaption = "Always allowed windows";
inline constexpr const char* kAllowedNothingSelected = "No entry selected. Please, select one and try again.";
inline constexpr const char* kAllowedAlreadyThere = "This entry is in the list already.";
inline constexpr const char* kAllowedTitleItemPrefix = "Title: ";
inline constexpr const char* kAllowedSiteItemPrefix = "Site: ";
inline constexpr const char* kOverridesNone = "No block list entry is overridden.";
inline constexpr const char* kOverridesPrefix = "Overrides these block list entries: ";

// An entry as the list box shows it: "Title: <part>" or "Site: <host>".
std::string AllowedItemText(const AllowedEntry& entry);
// The block list entries that an allowed title part overrides: those that
// match in a title whenever the allowed part does (an equal entry, or one
// that occurs in the allowed part), ignoring case.
std::vector<std::string> OverriddenEntries(const AllowedList& allowed, const BlockList& blockList);

// The window that edits the always-allowed list: the entries, the kind and
// text of the one to add or change, and which block-list entries the list
// overrides. Every change is written to the file at once; the block list's
// password, when one is set, guards the window.
class AllowedListDialog {
 public:
  AllowedListDialog(AllowedList& list, AllowedStore& store, const BlockList& blockList, BlockListPassword& password,
                    Prompts& prompts, Settings& settings, Registry& registry);
  AllowedListDialog(const AllowedListDialog&) = delete;
  AllowedListDialog& operator=(const AllowedListDialog&) = delete;

  FormModel Form;
  ControlModel EntriesGroup, KindLabel, TextLabel, Overrides;
  ListBox Entries;
  DropDown Kind;  // "Title part", "Site"
  Edit EntryText;
  Button Add, Change, Remove, Close;

  // Set by whoever shows the window: shows it modally, returns when it closed.
  std::function<void()> showModal;

  // The menu command: the password check, then the window.
  void Open();
  // Opens the window with this entry typed in, for the user to edit and add;
  // a window already open is brought to the front, its entry typed in only
  // while it is empty.
  void Propose(AllowedKind kind, std::string text);

  void FormShow();
  void EntriesClick();
  void AddClick();
  void ChangeClick();
  void RemoveClick();
  void CloseClick() { Form.SetVisible(false); }
  // The keys of the block list dialog: Del in the list removes, Enter in the
  // entry adds. A handler may clear the key (set it to 0) to stop its default.
  void EntriesKeyDown(int& key);
  void EntryTextKeyPress(char& key);

 private:
  // The typed entry, checked; nothing (the problem told) when it may not be used.
  std::optional<AllowedEntry> TypedEntry();
  void Saved();
  void ShowEntries(int selected);
  void Warn(const std::string& text);

  AllowedList& list_;
  AllowedStore& store_;
  const BlockList& blockList_;
  BlockListPassword& password_;
  Prompts& prompts_;
  Settings& settings_;
  Registry& registry_;
};

}  // namespace vandrel
