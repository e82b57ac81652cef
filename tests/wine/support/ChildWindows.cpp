#include "ChildWindows.h"

#include <algorithm>

namespace vandrel::test {

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FindChildWindow(HWND parent, const std::function<bool(HWND)>& matches) {
  const std::vector<HWND> children = ChildWindows(parent);
  const auto found = std::find_if(children.begin(), children.end(), matches);
  return found == children.end() ? nullptr : *found;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string WindowTextOf(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace vandrel::test
