#include "app/ProgramEntry.h"

#include <optional>
#include <string_view>

#include "platform/FullPath.h"
#include "platform/PlatformError.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

// The running instance's main window: a window of its class and title made
// by a program of this one's file name. Any program can make a hidden
// window of that class and title; only a Vandrel's is shown or told to quit.
WindowHandle FindRunningInstance(Platform& platform) {
  const std::string executable = platform.system.ExecutablePath();
  return platform.desktop.FindOfProgram(kMainWindowClass, kMainWindowTitle, FileNameOf(executable));
}

void QuitRunningInstance(Platform& platform) {
  if (const WindowHandle running = FindRunningInstance(platform)) platform.desktop.Post(running, kWmQuit, 0, 0);
}

// A start at log-on that gave up keeps its line for the next start; that
// start, unless it is one at log-on too, shows it once.
void KeepStartGaveUp(Registry& registry) {
  try {
    registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, kStartGaveUpValue,
                         std::string(kStartGaveUpAtLogOn) + kStartGaveUp);
  } catch (const PlatformError&) {
    // Nobody to tell at log-on: the next start that gives up says it again.
  }
}

void ShowStartGaveUpAtLogOn(Registry& registry, EntryHost& host) {
  std::optional<RegistryValue> kept;
  try {
    kept = registry.ReadValue(RootKey::CurrentUser, kSettingsKeyPath, kStartGaveUpValue);
  } catch (const PlatformError&) {
    return;  // a line that cannot be read keeps no start from running
  }
  if (!kept) return;
  registry.DeleteValue(RootKey::CurrentUser, kSettingsKeyPath, kStartGaveUpValue);
  if (kept->kind == ValueKind::String && !kept->text.empty()) host.ShowStartGaveUp(kept->text);
}

void Register(Platform& platform, ToolbarButtons* toolbarButtons) {
  const std::string executable = platform.system.ExecutablePath();
  if (toolbarButtons) {
    toolbarButtons->Unregister(kToolbarButtonText);
    toolbarButtons->Register(executable);
  }
  platform.registry.WriteString(RootKey::CurrentUser, kRunKeyPath, kRunValueName, RunValueFor(executable));
  QuitRunningInstance(platform);
}

void Unregister(Platform& platform, ToolbarButtons* toolbarButtons) {
  if (toolbarButtons) toolbarButtons->Unregister(kToolbarButtonText);
  platform.registry.DeleteValue(RootKey::CurrentUser, kRunKeyPath, kRunValueName);
  QuitRunningInstance(platform);
}

}  // namespace

EntryOutcome ProgramEntry(const std::vector<std::string>& arguments, Platform& platform, ToolbarButtons* toolbarButtons,
                          EntryHost& host) {
  // Before any file call of any start: a step folder on a drive without
  // its medium is not there, never a box that holds the erase.
  platform.system.FailCriticalErrorsQuietly();
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

  // The claim decides: the process that holds it runs. A start that cannot
  // have it shows the running instance's window, or runs once the holder
  // has ended without one (its windows gone, or left on a desktop that the
  // session closed), waiting a while for either: the holder may be another
  // start, still making its windows.
  const bool atLogOn = kind == StartKind::Minimize;
  if (!host.ClaimSingleInstance()) {
    for (int waited = 0;; waited += kStartRacePollMs) {
      if (const WindowHandle running = FindRunningInstance(platform)) {
        platform.desktop.Post(running, kWmUser, 0, 0);
        platform.desktop.BringToForeground(running);
        return EntryOutcome::ActivatedRunningInstance;
      }
      if (host.ClaimSingleInstance()) break;
      if (waited >= kStartRaceWaitMs) {
        if (atLogOn) {
          KeepStartGaveUp(platform.registry);
        } else {
          host.ShowStartGaveUp(kStartGaveUp);
        }
        return EntryOutcome::LostStartRace;
      }
      host.Pause(kStartRacePollMs);
    }
  }
  if (!atLogOn) ShowStartGaveUpAtLogOn(platform.registry, host);
  host.RunApplication(kind == StartKind::Minimize);
  return EntryOutcome::Ran;
}

}  // namespace vandrel
