#include "app/win32/Application.h"

#include <commctrl.h>

#include "app/Program.h"
#include "app/win32/MainWindowView.h"
#include "app/win32/TrayIconView.h"
#include "allowlist/win32/AllowedListView.h"
#include "blocklist/win32/BlockListView.h"
#include "eraser/ErasePace.h"
#include "eraser/ErasePreview.h"
#include "app/win32/EraseReportView.h"
#include "app/win32/NamedEraseLock.h"
#include "app/win32/SessionEndWindow.h"
#include "eraser/KeptReport.h"
#include "eraser/UnattendedErase.h"
#include "platform/PlatformError.h"
#include "help/TTipForm.h"
#include "help/win32/AboutView.h"
#include "help/win32/TipView.h"
#include "options/win32/CookiesToKeepView.h"
#include "options/win32/OptionsView.h"
#include "platform/ScopeExit.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/Win32TraceLook.h"
#include "richmedia/win32/RichMediaView.h"
#include "viewer/win32/DemoView.h"

namespace vandrel {
namespace {

// The modeless windows get the dialog keys (Tab, Shift+Tab, Enter, Esc,
// the arrows between buttons) as a dialog does; true when one took the message.
bool TakenAsDialogKey(std::initializer_list<HWND> windows, MSG& message) {
  for (const HWND window : windows) {
    if (IsWindowVisible(window) && IsDialogMessageA(window, &message)) return true;
  }
  return false;
}

// How often the message loop looks whether its main window still exists.
constexpr UINT kMainWindowCheckMs = 2000;

// Whether the desktop of this thread's windows has been closed under them.
// Wine closes a desktop that it believes no program uses any more, and it
// can believe so wrongly: as a thread on it ends, it compares the threads
// counted on the desktop with its desktop process's own, and that process
// runs threads that are not counted there (a worker that served a call to
// the shell's list of browser windows ends some seconds after it). The
// desktop then loses its name and its desktop process ends; the windows on
// it stay, but every program started since lives on a new desktop that
// they are not on. A desktop always has a name otherwise; a failed
// question proves nothing.
bool DesktopClosed() {
  char name[64] = {};
  DWORD needed = 0;
  return GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, &needed) &&
         name[0] == '\0';
}

// The check's timer as a box's or a dialog's own loop dispatches it: the
// quit posted here ends that loop, which posts it again for the main loop.
// A box on a closed desktop is never seen, so it is never answered.
void CALLBACK QuitIfDesktopClosed(HWND, UINT, UINT_PTR, DWORD) {
  if (DesktopClosed()) PostQuitMessage(0);
}

}  // namespace

void Application::RequestQuit() { PostQuitMessage(0); }

int Application::EraseWithoutWindow(const std::vector<std::string>& ignoredArguments) {
  NamedEraseLock lock;
  EraseGuard guard;
  guard.UseLock(&lock);
  // A log-off during a scripted erase ends it as it ends the window's: the
  // gate ends and the report is kept before the session's message returns,
  // and the quit posted then stops the erase at its next pump.
  const SessionEndWindow sessionEnd(instance_, [&guard] {
    guard.EndForSession();
    PostQuitMessage(0);
  });
  Win32TraceLook look;
  KeptReport kept(platform_.files, platform_.shell);
  UnattendedErase erase(platform_, guard, look, kept);
  exitCode_ = static_cast<int>(erase.Run(ignoredArguments).end);
  return exitCode_;
}

bool Application::ClaimSingleInstance() {
  // The process whose main thread owns the session's named mutex holds the
  // claim, for its whole life: the system gives the ownership up when that
  // process ends however it ends (abandoned), so a handle that another start
  // keeps open never holds it, and a program that merely made the mutex
  // holds nothing. One that owns it, or a mutex that cannot be had at all,
  // keeps every start waiting, which then says why.
  if (!instanceClaim_) instanceClaim_.reset(CreateMutexA(nullptr, FALSE, "Local\\Korvane.Vandrel.SingleInstance"));
  if (!instanceClaim_) return false;
  const DWORD waited = WaitForSingleObject(instanceClaim_.get(), 0);
  const bool claimed = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  if (claimed && !windowCheck_) windowCheck_.emplace(kMainWindowCheckMs, QuitIfDesktopClosed);
  return claimed;
}

void Application::ShowStartGaveUp(const std::string& why) { prompts_.ShowError(why); }

void Application::RunApplication(bool minimizeArgument) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  // The tip of the first start comes before any other window.
  TTipForm tipForm(platform_.system, platform_.documents);
  ShowTipAtFirstStart(platform_.registry, [this, &tipForm] { TipView(tipForm, instance_).ShowModal(nullptr); });

  Program program(platform_, prompts_);
  // The preview only looks: it may run while an erase does. The walks let
  // the waiting messages run (the scan, the tray, a quit, which ends the
  // walk and shows nothing); a second preview or report asked for
  // meanwhile is not started.
  Win32TraceLook look;
  bool looking = false;
  const std::function<void()> pumpWhileLooking = Paced(LetMessagesRun(platform_.waitLoop));
  // One erase at a time with Vandrel.exe Erase too; each erase's report is
  // kept where the window shows it from, whoever ran the erase. Both are in
  // place before any window or box can run a command.
  NamedEraseLock eraseLock;
  program.eraseGuard.UseLock(&eraseLock);
  KeptReport keptReport(platform_.files, platform_.shell);
  const auto keepReportOf = [&](EraseAftermath& aftermath) {
    return [&, record = &aftermath](bool messagesMayRun) {
      // A report asked for while this one is made would show the last erase's.
      const auto keeping = FlagFor(looking, true);
      try {
        keptReport.Save(ReportText(
            record->ReportEvenWhenEnding(look, messagesMayRun ? pumpWhileLooking : std::function<void()>{})));
      } catch (const PlatformError& error) {
        // No box at the end of the session: the report stays in memory.
        if (messagesMayRun) prompts_.ShowError(kReportNotKept + std::string(error.what()));
      }
    };
  };
  program.eraser.OnEnded(keepReportOf(program.eraser.Aftermath()));
  program.demo.OnEraseEnded(keepReportOf(program.demo.Aftermath()));
  MainWindowView mainWindow(program.mainWindow, prompts_, minimizeArgument);
  // Nothing runs after the end of the session: the block list is written then.
  // A running erase ends its work first (the gate's clean-up, the report
  // kept), and the quit posted here stops it at its next message.
  mainWindow.OnSessionEnd([this, &program] {
    program.eraseGuard.EndForSession();
    program.MessageLoopEnded();
    RequestQuit();
  });
  mainWindow.Create(instance_);
  prompts_.SetOwner(mainWindow.Handle());
  TrayIconView trayIcon(program.mainWindow, program.trayMenus, program.notice, program.NoticeTimer, prompts_);
  trayIcon.Create(instance_);
  // Entered once the window and its icon are on the screen: loading COM
  // would lengthen the start.
  const ComApartment apartment;
  mainWindow.OnContextMenu([&trayIcon](POINT at) { trayIcon.ShowContextMenu(at); });
  RichMediaView richMedia(program.richMedia, prompts_);
  richMedia.Create(instance_, mainWindow.Handle());
  OptionsView options(program.optionsDialog, prompts_);
  options.Create(instance_, mainWindow.Handle());
  program.OptionsCreated();
  CookiesToKeepView cookiesToKeep(program.cookiesToKeepDialog, prompts_);
  cookiesToKeep.Create(instance_, options.Handle());
  BlockListView blockListDialog(program.blockListDialog, prompts_);
  blockListDialog.Create(instance_, mainWindow.Handle());
  program.BlockListCreated();
  AllowedListView allowedList(program.allowedDialog, prompts_);
  allowedList.Create(instance_, mainWindow.Handle());
  AboutView aboutBox(program.aboutBox, instance_);
  aboutBox.SetErrorReporter(ReportThrough(prompts_));
  aboutBox.Create(mainWindow.Handle());
  DemoView demo(program.demo, prompts_);
  demo.Create(instance_, mainWindow.Handle());

  const HWND owner = mainWindow.Handle();
  program.mainWindow.onRichMedia = [&richMedia, owner] { richMedia.ShowModal(owner); };
  program.blockListDialog.showModal = [&blockListDialog, owner] { blockListDialog.ShowModal(owner); };
  program.allowedDialog.showModal = [&allowedList, owner] { allowedList.ShowModal(owner); };
  program.optionsDialog.showModal = [&options, owner] { options.ShowModal(owner); };
  program.cookiesToKeepDialog.showModal = [&cookiesToKeep, &options] { cookiesToKeep.ShowModal(options.Handle()); };
  program.showHourglass = [&mainWindow](bool busy) { mainWindow.SetHourglass(busy); };
  program.mainWindow.onAbout = [&aboutBox, owner] { aboutBox.ShowModal(owner); };
  EraseReportView eraseReport;
  eraseReport.SetErrorReporter(ReportThrough(prompts_));
  const auto showReport = [&eraseReport, &mainWindow, &looking, owner](const char* title, const auto& makeText) {
    if (looking) return;
    std::string text;
    try {
      const auto lookingNow = FlagFor(looking, true);
      mainWindow.SetHourglass(true);
      const ScopeExit arrow([&mainWindow] { mainWindow.SetHourglass(false); });
      text = makeText();
    } catch (const ProgramEnding&) {
      return;  // the main loop ends the program
    }
    eraseReport.Show(owner, title, text);
  };
  program.mainWindow.onErasePreview = [&] {
    showReport(kErasePreviewTitle, [&] {
      return ReportText(PreviewErase(program.optionsDialog.Current(), platform_.registry, platform_.shell, look,
                                     pumpWhileLooking, [this] { return CookieEntriesOf(platform_.urlCache); }));
    });
  };
  program.mainWindow.onEraseReport = [&] {
    showReport(kEraseReportTitle, [&] {
      try {
        if (const auto kept = keptReport.Load()) return *kept;
      } catch (const PlatformError& error) {
        prompts_.ShowError(error.what());
      }
      return ReportText(program.eraser.Aftermath().Report(look, pumpWhileLooking));
    });
  };
  // The windows and the icon exist, so the end of the session reaches the
  // log-on erase.
  if (minimizeArgument) {
    program.LogOnWindowsCreated([&] {
      UnattendedErase logOnErase(platform_, program.eraseGuard, look, keptReport);
      return logOnErase.Run({});
    });
  } else {
    program.WindowsCreated();
  }

  // The program's windows can go, or be left on a desktop that the session
  // no longer uses, without their program: no WM_DESTROY runs. The loop
  // would then wait for ever with nothing to scan and no icon, so the
  // claim's thread timer looks for the main window and the desktop and,
  // once either is gone, the program ends as at the end of a session;
  // inside a box's loop (from the first box of the start-up on) the
  // timer's own call looks for the desktop.
  const UINT_PTR windowCheck = windowCheck_ ? windowCheck_->Id() : 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!message.hwnd && message.message == WM_TIMER && message.wParam == windowCheck) {
      if (!IsWindow(owner) || DesktopClosed()) break;
      continue;
    }
    if (TakenAsDialogKey({demo.Handle(), richMedia.Handle()}, message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  program.MessageLoopEnded();
}

}  // namespace vandrel
