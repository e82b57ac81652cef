#pragma once
#include <memory>

#include "platform/BrowserAddresses.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// The shell's list of open browser windows (IShellWindows): each entry's
// window handle and the address it shows. Each answer comes from the
// browser's own process, and a busy browser answers when it is done, so the
// list is read on a thread of its own, in the multithreaded COM apartment,
// started at the first read: the caller's thread never waits on the shell
// longer than it chooses. A list that cannot be had names no frame.
class Win32BrowserAddresses : public BrowserAddresses {
 public:
  Win32BrowserAddresses() = default;
  // Tells the reading thread to end and waits a moment for it; one still
  // inside a browser's answer ends with the process.
  ~Win32BrowserAddresses() override;
  Win32BrowserAddresses(const Win32BrowserAddresses&) = delete;
  Win32BrowserAddresses& operator=(const Win32BrowserAddresses&) = delete;

  void StartReading() override;
  bool TakeAnswer(std::vector<FrameAddress>& into, std::uint32_t milliseconds) override;

  // The reading thread's side; it keeps its own reference, so that a thread
  // still inside an answer never outlives what it writes to.
  struct Shared;

 private:
  bool StartThread();

  std::shared_ptr<Shared> shared_;
  UniqueHandle thread_;
  bool reading_ = false;
  bool noThread_ = false;  // the thread could not be started: every read names nothing
};

}  // namespace vandrel
