#pragma once
#include <vector>

#include "app/CommandIds.h"
#include "monitor/BlockingModes.h"
#include "ui/Controls.h"

namespace vandrel {

// The main window's menu bar MainMenu1 as data: four menus of items, each
// item a Button model (caption, hint, handler) with its command id and its
// Alt shortcut key. Start2 and Stop1001 belong to the blocking modes, which
// relabel them; the form sets the other handlers.
class MainMenu {
 public:
  struct Item {
    const char* name;
    Button* button;
    int command;
    char altKey;  // the key pressed with Alt; 0 for none
  };
  struct Menu {
    const char* name;
    const char* caption;
    const char* hint;
    std::vector<Item> items;
  };

  explicit MainMenu(BlockingModes& blocking)
      : menus_{{"Files1", "&File", "File", {{"Exit2", &Exit2, kCmdExit2, 'X'}}},
               {"PopUpManager",
                "Popup manage&r",
                "Popup management",
                {{"Start2", &blocking.Start2, kCmdStart2, 'L'},
                 {"Stop1001", &blocking.Stop1001, kCmdStop1001, '1'},
                 {"BlackList1", &BlackList1, kCmdBlackList1, 'B'},
                 {"AllowedList1", &AllowedList1, kCmdAllowedList1, 0}}},
               {"Options1",
                "&Tools",
                "Tools",
                {{"Erase2", &Erase2, kCmdErase2, 'E'},
                 {"ErasePreview1", &ErasePreview1, kCmdErasePreview1, 0},
                 {"EraseReport1", &EraseReport1, kCmdEraseReport1, 0},
                 {"VideoAds1", &VideoAds1, kCmdVideoAds1, 'A'},
                 {"Demo1", &Demo1, kCmdDemo1, 'D'},
                 {"N15Search2", &N15Search2, kCmdN15Search2, 'G'},
                 {"Options2", &Options2, kCmdOptions2, 'O'}}},
               {"Help1", "&Help", "Help", {{"Help2", &Help2, kCmdHelp2, 0}, {"About1", &About1, kCmdAbout1, 0}}}} {
    Design(Exit2, "E&xit", "Exits the program");
    Design(BlackList1, "&Block list", "Manage the block list");
    Design(AllowedList1, "Al&ways allowed", "Windows that are never closed");
    Design(Erase2, "&Erase", "Erases stored information");
    Design(ErasePreview1, "Erase pre&view", "Shows what Erase would remove, removing nothing");
    Design(EraseReport1, "Erase re&port", "Shows what the last erase removed and what it left");
    Design(VideoAds1, "Flash &Ads", "Flash Ads Blocker settings");
    Design(Demo1, "&Demo", "");
    Design(N15Search2, "&Go URL", "Opens some URL in your default browser");
    Design(Options2, "&Options", "Setup the program");
    Design(Help2, "&Help", "Help for the program");
    Design(About1, "&About", "About the program");
  }
  MainMenu(const MainMenu&) = delete;
  MainMenu& operator=(const MainMenu&) = delete;

  Button Exit2, BlackList1, AllowedList1, Erase2, ErasePreview1, EraseReport1, VideoAds1, Demo1, N15Search2, Options2, Help2, About1;

  const std::vector<Menu>& Menus() const { return menus_; }

  // The item that a command id or an Alt shortcut key names; null for none.
  const Item* ByCommand(int command) const {
    return Find([command](const Item& item) { return item.command == command; });
  }
  const Item* ByAltKey(char key) const {
    return key ? Find([key](const Item& item) { return item.altKey == key; }) : nullptr;
  }

 private:
  static void Design(Button& button, const char* caption, const char* hint) {
    button.SetCaption(caption);
    button.SetHint(hint);
  }
  template <typename Match>
  const Item* Find(Match match) const {
    for (const Menu& menu : menus_) {
      for (const Item& item : menu.items) {
        if (match(item)) return &item;
      }
    }
    return nullptr;
  }

  std::vector<Menu> menus_;
};

}  // namespace vandrel
