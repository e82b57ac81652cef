#include "viewer/win32/ClipboardText.h"

#include <cstring>

#include "platform/win32/Handles.h"

namespace vandrel {
namespace {

// Movable global memory, until the clipboard takes it.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle memory) noexcept { GlobalFree(memory); }
};
using UniqueGlobalMemory = UniqueResource<GlobalMemoryTraits>;

// The clipboard, open while it lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

std::string Megabytes(std::size_t bytes) { return std::to_string((bytes + (1u << 20) - 1) >> 20); }

}  // namespace

std::string PutTextOnClipboard(HWND owner, std::string_view text) {
  // Filled before the clipboard is opened: other programs are not kept waiting.
  UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  char* const bytes = memory ? static_cast<char*>(GlobalLock(memory.get())) : nullptr;
  if (!bytes) return "There is not enough memory to copy " + Megabytes(text.size()) + " MB of text.";
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(memory.get());

  const OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) return "The clipboard is in use by another program. Try to copy again.";
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory.get())) return "The text could not be put on the clipboard.";
  memory.release();  // the clipboard's now
  return {};
}

}  // namespace vandrel
