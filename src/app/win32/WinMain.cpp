// The Windows entry of Vandrel.exe: builds the real platform objects and
// hands the command line to the program entry.
#include <windows.h>

#include "app/CommandLine.h"
#include "app/ProgramEntry.h"
#include "app/ToolbarButtonStore.h"
#include "app/win32/Application.h"
#include "platform/PlatformError.h"
#include "platform/win32/Win32BrowserAddresses.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32GuidSource.h"
#include "platform/win32/Win32KeyState.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ServiceControlManager.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sound.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32TextCollation.h"
#include "platform/win32/Win32TraceFiles.h"
#include "platform/win32/Win32UrlCache.h"
#include "platform/win32/Win32UserInputs.h"
#include "platform/win32/Win32WaitLoop.h"
#include "platform/win32/Win32WindowEvents.h"
#include "platform/win32/Win32DocumentOpener.h"
#include "ui/win32/Win32Prompts.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace vandrel;
  Win32Registry registry;
  Win32Desktop desktop;
  Win32Sound sound;
  Win32SystemInfo system;
  Win32FileSystem files(system.ExecutablePath());
  Win32TextCollation collation;
  Win32ServiceControlManager services;
  Win32WaitLoop waitLoop;
  Win32TraceFiles traceFiles;
  Win32UrlCache urlCache;
  // No owner window: its flags keep the shell's calls from showing any.
  Win32Shell shell(nullptr);
  Win32Prompts prompts;
  Win32DocumentOpener documents([&prompts] { return prompts.MainWindow(); });
  Win32KeyState keys;
  Win32BrowserAddresses browserAddresses;
  Win32WindowEvents windowEvents;
  Win32UserInputs userInputs;
  Platform platform{registry,   desktop,  sound, system,    files,     collation,        services,
                    waitLoop,   traceFiles, urlCache, shell, documents, keys,  browserAddresses,
                    windowEvents, userInputs};
  Application application(instance, platform, prompts);
  Win32GuidSource guids;
  ToolbarButtonStore toolbarButtons(registry, guids);
  try {
    const EntryOutcome outcome =
        ProgramEntry(SplitCommandLine(system.CommandLine()), platform, &toolbarButtons, application);
    return outcome == EntryOutcome::EraseStopped ? 1 : application.ExitCode();
  } catch (const std::exception& error) {
    // A registration run has no window: its failure is reported on its own.
    prompts.ShowError(error.what());
    return 1;
  }
}
