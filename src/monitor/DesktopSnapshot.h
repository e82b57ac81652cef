#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Desktop.h"

namespace vandrel {

// The visible top-level windows of one scan tick, topmost first: the desktop
// is enumerated once and each window's class read once; its title and style
// are read when a pass first asks for them and kept for the rest of the
// tick. The scan closes windows by posting, so they stay as they were while
// the tick runs and every pass sees what a walk of its own would have seen.
class DesktopSnapshot {
 public:
  explicit DesktopSnapshot(Desktop& desktop) : desktop_(desktop) {}

  // Forgets the last tick's windows and enumerates the desktop afresh.
  void Take();

  std::size_t size() const { return windows_.size(); }
  // The windows of the tick, topmost first.
  const std::vector<WindowHandle>& Handles() const { return handles_; }
  WindowHandle Handle(std::size_t index) const { return windows_[index].handle; }
  // Which of the pop-up class fragments the window's class holds, one bit
  // per fragment in table order.
  std::uint8_t Fragments(std::size_t index) const { return windows_[index].fragments; }
  // Valid until the next Take().
  std::string_view Title(std::size_t index);
  std::uint32_t Style(std::size_t index);
  // Of the browser frame's class, titled or not.
  bool OfFrameClass(std::size_t index) const;
  // A browser frame's class and a title that is not empty.
  bool IsBrowserFrame(std::size_t index);

 private:
  static constexpr std::uint32_t kNotRead = UINT32_MAX;
  struct Window {
    WindowHandle handle = 0;
    std::uint8_t fragments = 0;
    std::uint32_t titleSlot = kNotRead;  // index into titles_
    bool styleRead = false;
    std::uint32_t style = 0;
  };

  Desktop& desktop_;
  // Storage kept from tick to tick, so a warm tick allocates nothing.
  std::vector<WindowHandle> handles_;
  std::vector<Window> windows_;
  // Whole titles; the strings and their storage stay from tick to tick, and
  // the list is sized for every window before a view is handed out.
  std::vector<std::string> titles_;
  std::size_t titlesRead_ = 0;  // of this tick
  ClassText className_;
};

}  // namespace vandrel
