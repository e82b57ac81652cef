#include "app/ProgramEntry.h"

namespace vandrel {
namespace {

void QuitRunningInstance(Desktop& desktop) {
  if (const WindowHandle running = desktop.Find(kMainWindowClass, kMainWindowTitle)) {
    desktop.Post(running, kWmQuit, 0, 0);
  }
}

void Register(Platform& platform, ToolbarButtons* toolbarButtons) {
  const std::string executable = platform.system.ExecutablePath();
  if (toolbarButtons) {
    toolbarButtons->Unregister(kToolbarButtonText);
    toolbarButtons->Register(executable);
  }
  platform.registry.WriteString(RootKey::CurrentUser, kRunKeyPath, kRunValueName, RunValueFor(executable));
  QuitRunningInstance(platform.desktop);
}

void Unregister(Platform& platform, ToolbarButtons* toolbarButtons) {
  if (toolbarButtons) toolbarButtons->Unregister(kToolbarButtonText);
  platform.registry.DeleteValue(RootKey::CurrentUser, kRunKeyPath, kRunValueName);
  QuitRunningInstance(platform.desktop);
}

}  // namespace

EntryOutcome ProgramEntry(const std::vector<std::string>& arguments, Platform& platform, ToolbarButtons* toolbarButtons,
                          EntryHost& host) {
  const StartKind kind = ClassifyArguments(arguments);
  if (kind == StartKind::Register) {
    Register(platform, toolbarButtons);
    return EntryOutcome::Registered;
  }
  if (kind == StartKind::Unregister) {
    Unregister(platform, toolbarButtons);
    return EntryOutcome::Unregistered;
  }
  // Beside a running instance too: the erase lock keeps the two apart.
  if (kind == StartKind::Erase) {
    try {
      host.EraseWithoutWindow({arguments.begin() + 2, arguments.end()});
    } catch (...) {
      return EntryOutcome::EraseStopped;
    }
    return EntryOutcome::Erased;
  }
  // An unknown argument still activates a running instance, or goes through
  // the whole start-up, before the quit request ends the program.
  if (kind == StartKind::Unrecognised) host.RequestQuit();

  Desktop& desktop = platform.desktop;
  WindowHandle running = desktop.Find(kMainWindowClass, kMainWindowTitle);
  // Two starts at the same moment both find no window; the claim makes
  // the later one wait for the earlier one's window instead of running too.
  // A holder that ends without one (its windows gone, or left on a desktop
  // that the session closed) leaves the claim to this start, which then runs.
  if (!running && !host.ClaimSingleInstance()) {
    bool claimed = false;
    for (int waited = 0; !running && !claimed && waited < kStartRaceWaitMs; waited += kStartRacePollMs) {
      host.Pause(kStartRacePollMs);
      running = desktop.Find(kMainWindowClass, kMainWindowTitle);
      claimed = !running && host.ClaimSingleInstance();
    }
    if (!running && !claimed) return EntryOutcome::LostStartRace;
  }
  if (running) {
    desktop.Post(running, kWmUser, 0, 0);
    desktop.BringToForeground(running);
    return EntryOutcome::ActivatedRunningInstance;
  }
  host.RunApplication(kind == StartKind::Minimize);
  return EntryOutcome::Ran;
}

}  // namespace vandrel
