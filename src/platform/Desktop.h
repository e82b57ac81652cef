#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

using WindowHandle = std::uintptr_t;

inline constexpr std::uint32_t kWmClose = 0x0010;
inline constexpr std::uint32_t kWmQuit = 0x0012;
inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uint32_t kWsMaximizeBox = 0x00010000;

// A class name read into a fixed buffer, as GetClassNameA reads it: at most
// Capacity - 1 characters, no allocation.
template <std::size_t Capacity>
struct WindowText {
  char data[Capacity];
  std::size_t length = 0;
  std::string_view view() const { return {data, length}; }
  bool empty() const { return length == 0; }
};

inline constexpr std::size_t kClassBufferSize = 128;  // at most 127 characters seen
using ClassText = WindowText<kClassBufferSize>;

// The desktop's top-level windows, as the scan and the start-up see them.
// Calls on a window that has gone away fail quietly (empty text, no style).
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Top-level windows visible at the moment of enumeration, topmost first.
  // Fills the given list (cleared first) so a caller can reuse its storage.
  virtual void ListVisibleWindows(std::vector<WindowHandle>& out) = 0;
  // The whole title, however long, into `out`, whose storage is reused.
  virtual void ReadTitle(WindowHandle window, std::string& out) = 0;
  virtual void ReadClassName(WindowHandle window, ClassText& out) = 0;
  // The window's style bits, or 0 when its information cannot be read.
  virtual std::uint32_t ReadStyle(WindowHandle window) = 0;
  // Shown now; false for a window that has gone away.
  virtual bool IsVisible(WindowHandle window) = 0;
  // The id of the process that made the window; 0 for a window that has gone away.
  virtual std::uint32_t ProcessOf(WindowHandle window) = 0;
  virtual bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // A top-level window, shown or hidden, with this class and title that a
  // program of this file name made ("Vandrel.exe", ASCII case ignored); 0
  // when there is none. Any program can make a window of any class and
  // title; a window whose program cannot be told is none of its.
  virtual WindowHandle FindOfProgram(const std::string& className, const std::string& title,
                                     std::string_view programFileName) = 0;
  virtual void BringToForeground(WindowHandle window) = 0;
};

}  // namespace vandrel
