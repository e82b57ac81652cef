#pragma once
#include <windows.h>

#include <optional>

#include "app/ProgramEntry.h"
#include "platform/Platform.h"
#include "platform/win32/Handles.h"
#include "ui/win32/Win32Prompts.h"

namespace vandrel {

// A thread timer (it needs no window), stopped with its holder.
class ThreadTimer {
 public:
  ThreadTimer(UINT milliseconds, TIMERPROC callback) : id_(SetTimer(nullptr, 0, milliseconds, callback)) {}
  ~ThreadTimer() {
    if (id_) KillTimer(nullptr, id_);
  }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;
  UINT_PTR Id() const { return id_; }

 private:
  UINT_PTR id_;
};

// The normal run on Windows: the windows in their creation order, the
// message loop, and what follows it.
class Application : public EntryHost {
 public:
  Application(HINSTANCE instance, Platform& platform, Win32Prompts& prompts)
      : instance_(instance), platform_(platform), prompts_(prompts) {}

  void RequestQuit() override;
  void RunApplication(bool minimizeArgument) override;
  bool ClaimSingleInstance() override;
  void ShowStartGaveUp(const std::string& why) override;
  void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
  int EraseWithoutWindow(const std::vector<std::string>& ignoredArguments) override;
  // What the process ends with: the erase's code for Vandrel.exe Erase.
  int ExitCode() const { return exitCode_; }

 private:
  HINSTANCE instance_;
  Platform& platform_;
  Win32Prompts& prompts_;
  UniqueHandle instanceClaim_;  // held for the life of the process
  // Looks for a closed desktop from the moment the claim is held, so that
  // no box of the start-up keeps a blind process holding it.
  std::optional<ThreadTimer> windowCheck_;
  int exitCode_ = 0;
};

}  // namespace vandrel
