#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace vandrel::test {

// A started program. The destructor ends it if it still runs, so a failing
// test leaves nothing behind.
class Process {
 public:
  Process(UniqueHandle process, DWORD id) : process_(std::move(process)), id_(id) {}
  Process(Process&&) noexcept = default;
  Process& operator=(Process&&) noexcept = default;
  ~Process();

  // True when the program ended within the time (stretched by TimeScale()).
  bool Wait(DWORD timeoutMs) const;
  // The exit code, or nothing while the program runs.
  std::optional<DWORD> ExitCode() const;
  void Kill(UINT exitCode = 1) const;
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }

 private:
  UniqueHandle process_;
  DWORD id_ = 0;
};

// Quotes one argument so that the C runtime's parser gives it back unchanged.
std::string QuoteArgument(const std::string& argument);

// Starts the program with the arguments. Its standard handles are the NUL
// device and it inherits no handle: a child holding the test's output pipe
// would keep ctest (or a shell's $(...)) waiting after the test ended.
// Every program started so belongs to this test program's job, which ends
// them when the test program goes, even when it crashed.
// Throws std::runtime_error when the program cannot be started.
Process Launch(const std::string& program, const std::vector<std::string>& arguments);

// Whether the process was started by Launch() in this test program.
bool LaunchedHere(HANDLE process);

// A Windows path of a Unix path, through Wine's Z: drive (the root folder).
std::string WindowsPathOf(const std::string& unixPath);

}  // namespace vandrel::test
