#pragma once
#include "app/CloseNotice.h"
#include "app/LogOnErase.h"
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "app/RecentlyClosedMenu.h"
#include "app/TrayMenus.h"
#include "allowlist/AllowedListDialog.h"
#include "allowlist/AllowedStore.h"
#include "blocklist/TForm3.h"
#include "blocklist/TitlesStore.h"
#include "eraser/EraseCommand.h"
#include "eraser/ErasePace.h"
#include "eraser/TIECache.h"
#include "eraser/TIECacheEraser.h"
#include "help/HelpCommands.h"
#include "help/TForm4.h"
#include "monitor/AllowedWindows.h"
#include "monitor/FrameAddresses.h"
#include "monitor/LetThrough.h"
#include "monitor/RecentlyClosed.h"
#include "options/CookiesToKeepDialog.h"
#include "options/TForm2.h"
#include "platform/Platform.h"
#include "richmedia/TW42VideoBlocker.h"
#include "ui/Prompts.h"
#include "viewer/TDemo.h"

namespace vandrel {

// The composition root of a normal run: the shared state and the forms, in
// their creation order, and the commands the tray menus run. A test builds
// a whole program in one line.
class Program : private TrayCommands {
 public:
  Program(Platform& platform, Prompts& prompts)
      : platform(platform),
        state(platform.system.UpperCasing(), platform.system.LeadBytes(), platform.collation),
        titles(platform.files, platform.system, prompts),
        allowedStore(platform.files, platform.system, prompts),
        // The options dialog's controls are the working copy the main window
        // reads; it is made right after the main window, which it uses.
        mainWindow(platform, state, optionsDialog, prompts),
        richMedia(platform.registry, state.settings, prompts),
        optionsDialog(platform.registry, platform.sound, platform.system, platform.services, platform.waitLoop,
                      state.settings, mainWindow.Timer1, prompts),
        cookiesToKeepDialog(platform.registry, platform.urlCache, prompts),
        blockListDialog(platform.desktop, state.blockList, titles, prompts, platform.registry, state.settings,
                        state.titleSuffix),
        allowedDialog(state.allowed, allowedStore, state.blockList, blockListDialog.Protection, prompts, state.settings,
                      platform.registry),
        ieCache1(platform.urlCache),
        ieCacheEraser(ieCache1),
        eraser(optionsDialog, platform.desktop, platform.registry, platform.traceFiles, platform.shell, prompts,
               ieCacheEraser, eraseGuard, EraseFeedbackOf()),
        inputLetThrough(platform.userInputs, platform.desktop),
        letThrough(platform.keys),
        frameAddresses(platform.browserAddresses),
        allowedWindows(state.allowed, frameAddresses),
        recentlyClosed(frameAddresses),
        recentlyClosedMenu(recentlyClosed, state.titleSuffix, state.leadBytes, state.blockList, state.settings,
                           platform.registry, prompts, platform.documents, [this] { SaveBlockList(); }),
        notice(state.settings, platform.registry, state.titleSuffix, state.leadBytes, NoticeTimer,
               [this] { return this->platform.waitLoop.TickCount(); }),
        trayMenus(platform.desktop, state.blockList, state.titleSuffix, mainWindow.Blocking, prompts, *this,
                  recentlyClosedMenu, notice, logOnErase),
        aboutBox(platform.documents),
        demo(platform.registry, platform.files, platform.traceFiles, platform.shell, platform.urlCache,
             platform.waitLoop, prompts, eraseGuard) {
    eraseGuard.statusText = [this](const std::string& text) { mainWindow.StatusBar1.SetPanelText(0, text); };
    mainWindow.Blocking.SetGlobalProfile(&richMedia.RadioGroup6);
    letThrough.UseInputs(inputLetThrough);
    mainWindow.Scan().UseLetThrough(letThrough);
    mainWindow.Scan().ReportClosesTo(recentlyClosed);
    mainWindow.Scan().UseAllowed(allowedWindows);
    recentlyClosed.onNews = [this](const std::vector<ClosedWindow>& closes) { notice.Closed(closes); };
    mainWindow.onBlockList = [this] { blockListDialog.AddtotheBlackList1Click(); };
    mainWindow.onAllowedList = [this] { allowedDialog.Open(); };
    // An entry added from the tray is the user's own change of the list: it is written.
    recentlyClosedMenu.UseAllowed(
        state.allowed, [this] { allowedStore.Save(state.allowed); },
        [this](std::string words) { allowedDialog.Propose(AllowedKind::Title, std::move(words)); });
    trayMenus.onMouseDown = [this] { blockListDialog.RefreshTitles(); };
    mainWindow.onOptions = [this] { optionsDialog.Options2Click(); };
    mainWindow.onErase = [this] { eraser.EraseStuffClick(); };
    optionsDialog.storeSettings = [this] { mainWindow.StoreSettings(); };
    optionsDialog.endBlock100 = [this] { mainWindow.Blocking.EndBlock100(); };
    optionsDialog.openCookiesToKeep = [this] { cookiesToKeepDialog.Open(); };
    mainWindow.onGoToUrl = [this, &prompts] { GoToUrl(prompts, this->platform.documents); };
    mainWindow.onHelp = [this] { OpenHelp(this->platform.system, this->platform.documents); };
    mainWindow.onDemo = [this] { demo.Demo1Click(); };
  }

  // The options dialog's slot, after the main window and the rich-media
  // window: the settings are read again into its controls.
  void OptionsCreated() { optionsDialog.FormCreate(); }

  // The block list dialog's slot in the creation order, after the main
  // window and the rich-media window: the block list and the always-allowed
  // list are filled from their files.
  void BlockListCreated() {
    blockListDialog.FormCreate();
    allowedStore.Load(state.allowed);
  }

  // Every window exists: switch blocking on when the settings ask for it.
  void WindowsCreated() {
    if (state.settings.AutoStart) mainWindow.Start1Click();
  }

  // The log-on start's WindowsCreated: it erases first when the option asks
  // for it (`eraseAtLogOn` runs the erase with no box), before the scan
  // begins, and tells its end in the notice's balloon. A quit or the end of
  // the session met during the erase ends the start there: no balloon, no
  // scan; the main loop meets the quit at once.
  void LogOnWindowsCreated(const std::function<UnattendedOutcome()>& eraseAtLogOn) {
    if (logOnErase.On()) {
      const UnattendedOutcome outcome = eraseAtLogOn();
      if (platform.waitLoop.QuitSeen()) return;
      if (notice.On() && notice.show) notice.show(LogOnEraseBalloon(outcome));
    }
    WindowsCreated();
  }

  // The message loop has ended, or the Windows session is ending (after
  // which nothing more runs): the block list is written to its file.
  void MessageLoopEnded() { titles.SaveTitlesClick(state.blockList); }

  Platform& platform;
  ProgramState state;
  TitlesStore titles;
  AllowedStore allowedStore;
  TZAVOClass mainWindow;
  TW42VideoBlocker richMedia;
  TForm2 optionsDialog;
  CookiesToKeepDialog cookiesToKeepDialog;
  TForm3 blockListDialog;
  AllowedListDialog allowedDialog;
  TIECache ieCache1;
  TIECacheEraser ieCacheEraser;
  // One erase at a time: the main window's and the tray's, or the viewer's.
  EraseGuard eraseGuard;
  EraseCommand eraser;
  // Held Ctrl, and a click or key press in a browser frame, let new windows
  // through the scan; the counted closes are listed.
  InputLetThrough inputLetThrough;
  LetThrough letThrough;
  // The frames' addresses, read apart from the scan; the allowed sites and
  // what was closed use them.
  FrameAddresses frameAddresses;
  AllowedWindows allowedWindows;
  RecentlyClosed recentlyClosed;
  RecentlyClosedMenu recentlyClosedMenu;
  // The tray's balloon about the windows closed; its timer runs on the tray's window.
  Timer NoticeTimer{CloseNotice::kGather, false};
  CloseNotice notice;
  LogOnEraseOption logOnErase{platform.registry};
  TrayMenus trayMenus;
  // Set by the view: the screen cursor's hourglass while an erase runs.
  std::function<void(bool)> showHourglass;
  TForm4 aboutBox;
  TDemo demo;

 private:
  // The erase shows its count in the main window's first status panel and
  // keeps the windows answering between the entries it removes, where a
  // quit ends it.
  EraseFeedback EraseFeedbackOf() {
    EraseFeedback feedback;
    feedback.hourglass = [this](bool busy) {
      if (showHourglass) showHourglass(busy);
    };
    feedback.statusText = [this](const std::string& text) { mainWindow.StatusBar1.SetPanelText(0, text); };
    feedback.pump = LetMessagesRun(platform.waitLoop);
    return feedback;
  }

  // TrayCommands: what the notification-area menus run.
  void Show() override { mainWindow.ShowOnRequest(); }
  void StartToggle() override { mainWindow.Start1Click(); }
  void Block100Toggle() override { mainWindow.StoProcClick(); }
  void BlockList() override { mainWindow.AddtotheBlackList1Click(); }
  void AllowedList() override { mainWindow.AllowedList1Click(); }
  void Erase() override { mainWindow.EraseStuffClick(); }
  void ExitWithQuestion() override { mainWindow.Exit1Click(); }
  void ExitWithoutQuestion() override { mainWindow.ExitMe(); }
  void SaveBlockList() override {
    blockListDialog.Scroller();
    titles.SaveTitlesClick(state.blockList);
  }
};

}  // namespace vandrel
