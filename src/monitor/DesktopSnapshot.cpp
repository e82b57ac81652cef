#include "monitor/DesktopSnapshot.h"

#include <iterator>

#include "monitor/PopupClasses.h"

namespace vandrel {
namespace {

// "IEFrame" is both the browser frame's class and the first pop-up fragment.
constexpr std::uint8_t kBrowserFrameBit = 1;
static_assert(std::string_view(kPopupClassFragments[0]) == kBrowserFrameClass);

std::uint8_t FragmentsOf(std::string_view className) {
  std::uint8_t bits = 0;
  for (std::size_t i = 0; i < std::size(kPopupClassFragments); ++i) {
    if (className.find(kPopupClassFragments[i]) != std::string_view::npos) {
      bits |= static_cast<std::uint8_t>(1u << i);
    }
  }
  return bits;
}

}  // namespace

void DesktopSnapshot::Take() {
  desktop_.ListVisibleWindows(handles_);
  windows_.clear();
  titlesRead_ = 0;
  if (titles_.size() < handles_.size()) titles_.resize(handles_.size());
  for (const WindowHandle handle : handles_) {
    desktop_.ReadClassName(handle, className_);
    windows_.push_back(Window{handle, FragmentsOf(className_.view())});
  }
}

std::string_view DesktopSnapshot::Title(std::size_t index) {
  Window& window = windows_[index];
  if (window.titleSlot == kNotRead) {
    window.titleSlot = static_cast<std::uint32_t>(titlesRead_++);
    desktop_.ReadTitle(window.handle, titles_[window.titleSlot]);
  }
  return titles_[window.titleSlot];
}

std::uint32_t DesktopSnapshot::Style(std::size_t index) {
  Window& window = windows_[index];
  if (!window.styleRead) {
    window.style = desktop_.ReadStyle(window.handle);
    window.styleRead = true;
  }
  return window.style;
}

bool DesktopSnapshot::OfFrameClass(std::size_t index) const { return (Fragments(index) & kBrowserFrameBit) != 0; }

bool DesktopSnapshot::IsBrowserFrame(std::size_t index) { return OfFrameClass(index) && !Title(index).empty(); }

}  // namespace vandrel
