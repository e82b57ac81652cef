#include "platform/memory/MemoryDesktop.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace vandrel {
namespace {

template <std::size_t Capacity>
void CopyText(const std::string& text, WindowText<Capacity>& out) {
  out.length = std::min(text.size(), Capacity - 1);
  std::memcpy(out.data, text.data(), out.length);
  out.data[out.length] = '\0';
}

}  // namespace

WindowHandle MemoryDesktop::Open(std::string title, std::string className, std::uint32_t style, bool visible) {
  const WindowHandle handle = reused_ ? reused_ : nextHandle_;
  if (reused_ == 0) nextHandle_ += 0x10;
  reused_ = 0;
  windows_.insert(windows_.begin(), Window{handle, std::move(title), std::move(className), style, visible, {}});
  return handle;
}

void MemoryDesktop::Close(WindowHandle window) {
  std::erase_if(windows_, [&](const Window& w) { return w.handle == window; });
}

void MemoryDesktop::Show(WindowHandle window) {
  for (Window& w : windows_) {
    if (w.handle == window) w.visible = true;
  }
}

void MemoryDesktop::Retitle(WindowHandle window, std::string title) {
  for (Window& w : windows_) {
    if (w.handle == window) w.title = title;
  }
}

void MemoryDesktop::ApplyCloses() {
  for (; appliedUpTo_ < posted_.size(); ++appliedUpTo_) {
    if (posted_[appliedUpTo_].message == kWmClose) Close(posted_[appliedUpTo_].window);
  }
}

int MemoryDesktop::ClosesPostedTo(WindowHandle window) const {
  return static_cast<int>(std::count_if(posted_.begin(), posted_.end(), [&](const PostedMessage& m) {
    return m.window == window && m.message == kWmClose;
  }));
}

const MemoryDesktop::Window* MemoryDesktop::Lookup(WindowHandle window) const {
  const auto found =
      std::find_if(windows_.begin(), windows_.end(), [&](const Window& w) { return w.handle == window; });
  return found == windows_.end() ? nullptr : &*found;
}

MemoryDesktop::ReadCounts MemoryDesktop::ReadsOf(WindowHandle window) const {
  const auto found = reads_.find(window);
  return found == reads_.end() ? ReadCounts{} : found->second;
}

void MemoryDesktop::ForgetReads() {
  enumerations_ = 0;
  reads_.clear();
}

void MemoryDesktop::ListVisibleWindows(std::vector<WindowHandle>& out) {
  ++enumerations_;
  out.clear();
  for (const Window& window : windows_) {
    if (window.visible) out.push_back(window.handle);
  }
}

bool MemoryDesktop::IsVisible(WindowHandle window) {
  const Window* found = Lookup(window);
  return found && found->visible;
}

void MemoryDesktop::ReadTitle(WindowHandle window, std::string& out) {
  ++reads_[window].titles;
  const Window* found = Lookup(window);
  if (found) {
    out.assign(found->title);
  } else {
    out.clear();
  }
  if (window == goesAfterTitleRead_) {
    goesAfterTitleRead_ = 0;
    Close(window);
  }
}

void MemoryDesktop::ReadClassName(WindowHandle window, ClassText& out) {
  ++reads_[window].classNames;
  const Window* found = Lookup(window);
  CopyText(found ? found->className : std::string(), out);
}

std::uint32_t MemoryDesktop::ReadStyle(WindowHandle window) {
  ++reads_[window].styles;
  const Window* found = Lookup(window);
  return found ? found->style : 0;
}

bool MemoryDesktop::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (!Lookup(window)) return false;
  posted_.push_back({window, message, wParam, lParam});
  return true;
}

WindowHandle MemoryDesktop::Find(const std::string& className, const std::string& title) const {
  for (const Window& window : windows_) {
    if (window.className == className && window.title == title) return window.handle;
  }
  return 0;
}

WindowHandle MemoryDesktop::FindOfProgram(const std::string& className, const std::string& title,
                                          std::string_view programFileName) {
  for (const Window& window : windows_) {
    if (window.className == className && window.title == title && !window.program.empty() &&
        EqualIgnoringAsciiCase(window.program, programFileName)) {
      return window.handle;
    }
  }
  return 0;
}

void MemoryDesktop::MadeBy(WindowHandle window, std::string program) {
  for (Window& w : windows_) {
    if (w.handle == window) w.program = std::move(program);
  }
}

std::uint32_t MemoryDesktop::ProcessOf(WindowHandle window) {
  const Window* found = Lookup(window);
  return found ? static_cast<std::uint32_t>(std::hash<std::string>{}(found->program)) | 1u : 0;
}

void MemoryDesktop::BringToForeground(WindowHandle window) { foreground_ = window; }

}  // namespace vandrel
