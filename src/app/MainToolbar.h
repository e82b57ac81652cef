#pragma once
#include <vector>

#include "app/CommandIds.h"
#include "monitor/BlockingModes.h"
#include "ui/Controls.h"

namespace vandrel {

// The main window's toolbar ToolBar1: eight buttons, left to right. Start
// and StoProc belong to the blocking modes, which relabel them; the others
// keep their designed caption, hint and image. The form sets the handlers.
class MainToolbar {
 public:
  struct Entry {
    const char* name;
    Button* button;
    int command;
  };

  explicit MainToolbar(BlockingModes& blocking)
      : entries_{{"Start", &blocking.Start, kCmdStart},
                 {"StoProc", &blocking.StoProc, kCmdStoProc},
                 {"AddToBlackList", &AddToBlackList, kCmdAddToBlackList},
                 {"EraseStuff", &EraseStuff, kCmdEraseStuff},
                 {"Options", &Options, kCmdOptions},
                 {"Go", &Go, kCmdGo},
                 {"VABOptions", &VABOptions, kCmdVABOptions},
                 {"ExitP", &ExitP, kCmdExitP}} {
    Design(AddToBlackList, "&Block list", "Manage the block list", 1);
    Design(EraseStuff, "&Erase", "Erases stored information", 2);
    Design(Options, "&Options", "Setup the program", 3);
    Design(Go, "&Go to URL", "Please, enter the url of the website you wish to visit.", 7);
    Design(VABOptions, "Flash &Ads", "Flash Ads Blocker settings", 10);
    Design(ExitP, "E&xit", "Exits the program", 4);
  }
  MainToolbar(const MainToolbar&) = delete;
  MainToolbar& operator=(const MainToolbar&) = delete;

  Button AddToBlackList, EraseStuff, Options, Go, VABOptions, ExitP;

  // Every button in toolbar order.
  const std::vector<Entry>& Buttons() const { return entries_; }

 private:
  static void Design(Button& button, const char* caption, const char* hint, int image) {
    button.SetCaption(caption);
    button.SetHint(hint);
    button.SetImageIndex(image);
  }

  std::vector<Entry> entries_;
};

}  // namespace vandrel
