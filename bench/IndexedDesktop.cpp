#include "IndexedDesktop.h"

namespace vandrel {

IndexedDesktop::IndexedDesktop(Desktop& source) {
  source.ListVisibleWindows(order_);
  for (const WindowHandle handle : order_) {
    Window& window = windows_[handle];
    source.ReadTitle(handle, window.title);
    source.ReadClassName(handle, window.className);
    window.style = source.ReadStyle(handle);
  }
}

std::size_t IndexedDesktop::TakePostedCount() {
  const std::size_t posted = posted_;
  posted_ = 0;
  return posted;
}

const IndexedDesktop::Window* IndexedDesktop::Lookup(WindowHandle window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

void IndexedDesktop::ListVisibleWindows(std::vector<WindowHandle>& out) { out = order_; }

void IndexedDesktop::ReadTitle(WindowHandle window, std::string& out) {
  const Window* found = Lookup(window);
  if (found) {
    out.assign(found->title);
  } else {
    out.clear();
  }
}

void IndexedDesktop::ReadClassName(WindowHandle window, ClassText& out) {
  const Window* found = Lookup(window);
  out = found ? found->className : ClassText{};
}

std::uint32_t IndexedDesktop::ReadStyle(WindowHandle window) {
  const Window* found = Lookup(window);
  return found ? found->style : 0;
}

bool IndexedDesktop::Post(WindowHandle window, std::uint32_t, std::uintptr_t, std::intptr_t) {
  if (!Lookup(window)) return false;
  ++posted_;
  return true;
}

}  // namespace vandrel
