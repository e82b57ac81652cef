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

template <typename Char>
std::string PutOnClipboard(HWND owner, std::basic_string_view<Char> text, UINT format) {
  // Filled before the clipboard is opened: other programs are not kept waiting.
  const std::size_t size = text.size() * sizeof(Char);
  UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size + sizeof(Char)));
  Char* const chars = memory ? static_cast<Char*>(GlobalLock(memory.get())) : nullptr;
  if (!chars) return "There is not enough memory to copy " + Megabytes(size) + " MB of text.";
  std::memcpy(chars, text.data(), size);
  chars[text.size()] = Char{};
  GlobalUnlock(memory.get());

  const OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) return "The clipboard is in use by another program. Try to copy again.";
  EmptyClipboard();
  if (!SetClipboardData(format, memory.get())) return "The text could not be put on the clipboard.";
  memory.release();  // the clipboard's now
  return {};
}

}  // namespace

std::string PutTextOnClipboard(HWND owner, std::string_view text) { return PutOnClipboard(owner, text, CF_TEXT); }

std::string PutTextOnClipboard(HWND owner, std::wstring_view text) {
  return PutOnClipboard(owner, text, CF_UNICODETEXT);
}

}  // namespace vandrel
