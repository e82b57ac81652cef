#pragma once

namespace vandrel {

// The command ids of the main window's toolbar buttons and menu items, as
// WM_COMMAND carries them; outside tools drive the window with them too.
enum CommandId : int {
  kCmdStart = 1001,
  kCmdStoProc,
  kCmdAddToBlackList,
  kCmdEraseStuff,
  kCmdOptions,
  kCmdGo,
  kCmdVABOptions,
  kCmdExitP,

  kCmdExit2 = 2001,
  kCmdStart2,
  kCmdStop1001,
  kCmdBlackList1,
  kCmdErase2,
  kCmdVideoAds1,
  kCmdDemo1,
  kCmdN15Search2,
  kCmdOptions2,
  kCmdHelp2,
  kCmdAbout1,
  // Beside Erase: what it would take, and what the last one left.
  kCmdErasePreview1,
  kCmdEraseReport1,
  // The windows the scan always allows.
  kCmdAllowedList1,
};

}  // namespace vandrel
