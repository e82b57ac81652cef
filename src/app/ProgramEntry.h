#pragma once
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "platform/Platform.h"
#include "settings/SharedRegistryPlaces.h"

namespace vandrel {

inline constexpr const char* kMainWindowClass = "TZAVOClass";
inline constexpr const char* kMainWindowTitle = "Vandrel";
inline constexpr const char* kToolbarButtonText = "P&&ZAVO";

// The browser toolbar button that starts the program (ToolbarButtonStore).
// Without one the registration runs only do the start-up entry and the quit
// message.
class ToolbarButtons {
 public:
  virtual ~ToolbarButtons() = default;
  virtual void Unregister(const std::string& buttonText) = 0;
  virtual void Register(const std::string& executablePath) = 0;
};

// What the program entry asks its host to do.
class EntryHost {
 public:
  virtual ~EntryHost() = default;
  // Posts a quit request to this process's own message queue.
  virtual void RequestQuit() = 0;
  // Creates the windows, runs the message loop and writes the block list.
  virtual void RunApplication(bool minimizeArgument) = 0;
  // Claims the right to be the one running instance for the life of this
  // process; false while another process holds it, or when the claim cannot
  // be made at all. Asked again until it holds.
  virtual bool ClaimSingleInstance() = 0;
  // A start that gave up says why, in a box the user answers.
  virtual void ShowStartGaveUp(const std::string& why) = 0;
  virtual void Pause(int milliseconds) = 0;
  // Erases the stored choices with no window; the process's exit code.
  // ignoredArguments: those after the keyword.
  virtual int EraseWithoutWindow(const std::vector<std::string>& ignoredArguments) = 0;
};

// EraseStopped: Vandrel.exe Erase ended by a failure its erase did not
// report; the process ends with 1 and shows no box (nobody may see it).
enum class EntryOutcome {
  Registered,
  Unregistered,
  Erased,
  EraseStopped,
  ActivatedRunningInstance,
  LostStartRace,
  Ran
};

// How long a start that lost the race to another start waits for the
// winner's main window before it gives up (the winner may be showing its
// tip of the day first).
inline constexpr int kStartRaceWaitMs = 10000;
inline constexpr int kStartRacePollMs = 50;

// What a start that gave up says. At log-on nobody is asked: the line is
// kept in the settings key, and the next start that is not a log-on start
// shows it once.
inline constexpr const char* kStartGaveUp =
    "Vandrel did not start: another process holds its claim to run, and no Vandrel window answered within 10 "
    "seconds. Close that process, or log off and on again, and start Vandrel once more.";
inline constexpr const char* kStartGaveUpAtLogOn = "At the last log-on, ";
inline constexpr const char* kStartGaveUpValue = "StartGaveUp";

// The program entry: registration runs, the quit request for an unknown
// argument, the single-instance test, and otherwise the normal run.
EntryOutcome ProgramEntry(const std::vector<std::string>& arguments, Platform& platform, ToolbarButtons* toolbarButtons,
                          EntryHost& host);

}  // namespace vandrel
