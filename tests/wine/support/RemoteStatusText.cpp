#include "RemoteStatusText.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

// Memory allocated in another process, freed with it.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  }
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

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

std::optional<std::string> ReadRemoteStatusText(HWND statusBar, int part) {
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(statusBar, &processId)) return std::nullopt;
  const UniqueHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) return std::nullopt;

  const auto lengthAndType = Send(statusBar, SB_GETTEXTLENGTHA, part, 0);
  if (!lengthAndType) return std::nullopt;
  const std::size_t length = LOWORD(*lengthAndType);

  std::vector<char> text(length + 1);
  const RemoteBuffer remote(process.get(), text.size());
  if (!remote.address()) return std::nullopt;
  if (!Send(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(remote.address())))
    return std::nullopt;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process.get(), remote.address(), text.data(), text.size(), &read) ||
      read != text.size()) {
    return std::nullopt;
  }
  return std::string(text.data(), length);
}

}  // namespace vandrel::test
