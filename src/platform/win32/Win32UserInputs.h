#pragma once
#include <windows.h>

#include <memory>

#include "platform/UserInputs.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// The low-level mouse and keyboard hooks (no DLL, nothing loaded into other
// programs), on a thread of their own that does nothing but note each
// button press, Enter and Space with its time and window and hand the input
// on at once: the system holds every program's input while a low-level hook
// runs (Wine waits two seconds a hook before it goes on), so the GUI
// thread's work (an erase's walk, a box, a call to another program) must
// never stand between the user and the input. The hooks go with the thread,
// which ends when watching stops and at the latest with the process.
class Win32UserInputs : public UserInputs {
 public:
  Win32UserInputs() = default;
  Win32UserInputs(const Win32UserInputs&) = delete;
  Win32UserInputs& operator=(const Win32UserInputs&) = delete;
  ~Win32UserInputs() override { StopWatching(); }

  bool Watch() override;
  void StopWatching() override;
  void Take(std::vector<UserInput>& into) override;
  std::uint32_t Now() override { return GetTickCount(); }

  // What the hooks' thread and the caller share; the thread keeps its own
  // reference, so that one that ends late writes to nothing gone.
  struct Heard;

 private:
  std::shared_ptr<Heard> heard_;
  UniqueHandle thread_;
  DWORD threadId_ = 0;
};

}  // namespace vandrel
