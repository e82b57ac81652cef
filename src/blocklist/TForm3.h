#pragma once
#include <functional>
#include <string>
#include <vector>

#include "blocklist/BlockList.h"
#include "blocklist/BlockListPassword.h"
#include "blocklist/TitlesStore.h"
#include "platform/Registry.h"
#include "settings/Settings.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"

namespace vandrel {

// Not included here: its WindowText buffer would clash with the views' WindowText().
class Desktop;

inline constexpr const char* kBlockListCaption = "Add title to the block list";
inline constexpr const char* kNoTitlesToAdd = "No titles to add, please open some browser windows and try again!";
inline constexpr const char* kSelectTitle = "Please, select a title to add!";
inline constexpr const char* kWindowHasNoTitle =
    "It looks like this window has no title, so it can not be added to the\r\n"
    "BlackList, because some windows will be closed immediately.";
inline constexpr const char* kNoTitleSelected = "No titles selected. Please, select one and try again.";
inline constexpr const char* kConfirmDelete = "Do you really want to delete this title?";
inline constexpr int kScrollMargin = 5;
inline constexpr int kDeleteKey = 46;
inline constexpr char kEnterCharacter = 13;

// The block list dialog: the titles of the open browser windows, the block
// list itself (ListBox2 shows its entries in their order), keywords, import
// and export, and the password frame. Created once at start-up, hidden;
// the block list command shows it modally after the password check.
class TForm3 {
 public:
  // `titleSuffix` is read at every add, so it may be set after this is made.
  TForm3(Desktop& desktop, BlockList& list, TitlesStore& titles, Prompts& prompts, Registry& registry,
         Settings& settings, const std::string& titleSuffix);
  TForm3(const TForm3&) = delete;
  TForm3& operator=(const TForm3&) = delete;

  FormModel Form;
  ControlModel GroupBox1, GroupBox2, GroupBox3, GroupBox4, Label2;
  ListBox ListBox1;  // open browser windows, unsorted
  ListBox ListBox2;  // the block list
  Button Refresh, AddToBlackList, Remove1, RemoveFromBlackList, Import, Export, AddKeyword, Minimize;
  Edit AKW;
  BlockListPassword Protection;  // the frame GroupBox4

  // Set by the view: the width in pixels of the widest of `items` in the
  // font of `box`, 0 for none. Without it every text measures 0.
  std::function<int(const ListBox& box, const std::vector<std::string>& items)> widestItem;
  // Set by whoever shows the dialog: shows it modally and returns when it
  // has closed. The showing runs FormShow, the close FormClose.
  std::function<void()> showModal;

  // Creation: the list is filled from its file.
  void FormCreate();
  void FormShow() { RefreshClick(); }
  // Every close: the password state is stored, then the file written.
  void FormClose();

  // The list of browser windows, then the password frame as stored.
  void RefreshClick();
  // Only the list of browser windows: what a press on the tray icon
  // refreshes, which must not empty a password being typed.
  void RefreshTitles();
  void AddToBlackListClick();
  void RemoveFromBlackListClick();
  void AddKeywordClick();
  void ImportClick();
  void ExportClick();
  // Closes the dialog: FormClose, then hidden.
  void MinimizeClick();
  // The key handlers may clear the key (set it to 0) to stop its default.
  void ListBox2KeyDown(int& key);
  void AKWKeyPress(char& key);
  // Both horizontal scroll extents, from the widest item of each list box.
  // Also shows the block list's entries, which others may have added to.
  void Scroller();

  // The main window's block list command: the password check, then the
  // dialog is shown modally unless it is visible already.
  void AddtotheBlackList1Click();

 private:
  // ListBox2 shows the list's entries; the selection stays on its entry.
  void ShowEntries();
  void Warn(const char* text);

  Desktop& desktop_;
  BlockList& list_;
  TitlesStore& titles_;
  Prompts& prompts_;
  Registry& registry_;
  Settings& settings_;
  const std::string& titleSuffix_;
};

}  // namespace vandrel
