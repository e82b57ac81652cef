#include "TrayIcon.h"

#include <future>
#include <utility>

#include "WaitUntil.h"

namespace vandrel::test {
namespace {
constexpr UINT kIconCallback = WM_APP + 1;
constexpr UINT kIconId = 1;
// Where Wine 8's shell32 puts the balloon in the data it sends its tray
// (struct notify_data, in bytes), and the ASCII text of a WCHAR field there.
constexpr std::size_t kFlagsAt = 8, kInfoAt = 280, kInfoTitleAt = 796, kDataLength = 944;
std::string Text(const BYTE* at, std::size_t count) {
  std::string text;
  for (const auto* wide = reinterpret_cast<const WCHAR*>(at); text.size() < count && wide[text.size()];) {
    text += static_cast<char>(wide[text.size()]);
  }
  return text;
}

}  // namespace

StandInTray::StandInTray(bool refusesFirstAdd) : refusesFirstAdd_(refusesFirstAdd), holdsIcon_(!refusesFirstAdd) {
  std::promise<void> made;
  thread_ = std::thread([this, &made] {
    const WNDCLASSA windowClass{0, &StandInTray::Procedure, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                "Shell_TrayWnd"};
    RegisterClassA(&windowClass);
    // Topmost: the shell's FindWindow meets it before Wine's own.
    window_ = CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              nullptr, this);
    made.set_value();
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
  });
  made.get_future().wait();
}

StandInTray::~StandInTray() {
  PostMessageA(window_, WM_CLOSE, 0, 0);
  thread_.join();
}

std::vector<std::pair<std::string, std::string>> StandInTray::Balloons() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return balloons_;
}

std::vector<DWORD> StandInTray::Changes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return changes_;
}

LRESULT CALLBACK StandInTray::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                                 reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  if (message == WM_CLOSE) PostQuitMessage(0);
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (message != WM_COPYDATA || copy->cbData < kDataLength) return DefWindowProcA(window, message, wParam, lParam);
  auto* tray = reinterpret_cast<StandInTray*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  const auto* data = static_cast<const BYTE*>(copy->lpData);
  std::lock_guard<std::mutex> lock(tray->mutex_);
  tray->changes_.push_back(static_cast<DWORD>(copy->dwData));
  if (copy->dwData == NIM_MODIFY && (reinterpret_cast<const UINT*>(data + kFlagsAt)[0] & NIF_INFO)) {
    tray->balloons_.emplace_back(Text(data + kInfoTitleAt, 64), Text(data + kInfoAt, 256));
  }
  switch (copy->dwData) {
    case NIM_ADD:
      tray->holdsIcon_ = true;
      return std::exchange(tray->refusesFirstAdd_, false) ? FALSE : TRUE;
    case NIM_DELETE: return std::exchange(tray->holdsIcon_, false) ? TRUE : FALSE;
    default: return tray->holdsIcon_ ? TRUE : FALSE;
  }
}

HWND VisibleMenu() {
  const HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

HWND RightClickIcon(HWND owner) {
  PostMessageA(owner, kIconCallback, kIconId, WM_RBUTTONDOWN);
  PostMessageA(owner, kIconCallback, kIconId, WM_RBUTTONUP);
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = VisibleMenu()) != nullptr; }, 5000);
  return menu;
}

bool ChooseFromMenu(HWND menu, std::initializer_list<WPARAM> keys) {
  if (!menu) return false;
  for (const WPARAM key : keys) PostMessageA(menu, WM_KEYDOWN, key, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return WaitUntil([] { return VisibleMenu() == nullptr; }, 5000);
}

}  // namespace vandrel::test
