#include "RemoteStatusText.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>

#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

// Memory allocated in another process, freed with it.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  void* address() const { return address_; }

 private:
  HANDLE process_;
  void* address_;
};

// A 32-bit program that runs under qemu-user (on machines whose kernel runs
// no 32-bit code) has its memory at an offset in the host's, which
// scripts/wine-env fixes; the reads of another process's memory take the
// host's addresses.
std::uintptr_t EmulatedMemoryOffset(HANDLE process) {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(process, &wow64) || !wow64) return 0;
  const char* base = std::getenv("QEMU_GUEST_BASE");
  return base ? static_cast<std::uintptr_t>(std::strtoull(base, nullptr, 0)) : 0;
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

std::optional<std::string> RemoteReply(HWND window, UINT message, WPARAM wParam, std::size_t size) {
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(window, &processId)) return std::nullopt;
  const UniqueHandle process(OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return std::nullopt;
  std::string reply(size, '\0');
  const RemoteBuffer remote(process.get(), reply.size());
  if (!remote.address()) return std::nullopt;
  if (!Send(window, message, wParam, reinterpret_cast<LPARAM>(remote.address()))) return std::nullopt;
  SIZE_T read = 0;
  const auto* hostAddress = static_cast<const char*>(remote.address()) + EmulatedMemoryOffset(process.get());
  if (!ReadProcessMemory(process.get(), hostAddress, reply.data(), reply.size(), &read) || read != reply.size()) {
    return std::nullopt;
  }
  return reply;
}

std::optional<std::string> ReadRemoteStatusText(HWND statusBar, int part) {
  const auto lengthAndType = Send(statusBar, SB_GETTEXTLENGTHA, part, 0);
  if (!lengthAndType) return std::nullopt;
  const std::size_t length = LOWORD(*lengthAndType);
  auto text = RemoteReply(statusBar, SB_GETTEXTA, part, length + 1);
  if (text) text->resize(length);
  return text;
}

}  // namespace vandrel::test
