#include "TrayIcon.h"

#include <cstring>

#include "WaitUntil.h"

namespace vandrel::test {
namespace {
constexpr UINT kIconCallback = WM_APP + 1;
constexpr UINT kIconId = 1;
// Where Wine 8's shell32 puts the balloon in the notification data it
// sends its tray (struct notify_data), in bytes.
constexpr std::size_t kFlagsAt = 8;
constexpr std::size_t kInfoAt = 280;        // WCHAR[256]
constexpr std::size_t kInfoTitleAt = 796;   // WCHAR[64]
constexpr std::size_t kDataLength = 944;    // up to the icon's bitmap

std::string Narrow(const BYTE* wide, std::size_t count) {
  std::wstring text(reinterpret_cast<const wchar_t*>(wide), count);
  text.resize(wcsnlen(text.c_str(), count));
  std::string narrow(text.size() * 2 + 1, '\0');
  narrow.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                                             narrow.data(), static_cast<int>(narrow.size()),
                                                             nullptr, nullptr)));
  return narrow;
}

}  // namespace

StandInTray::StandInTray() {
  const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, ready] { Run(ready); });
  WaitForSingleObject(ready, 10000);
  CloseHandle(ready);
}

StandInTray::~StandInTray() {
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  thread_.join();
}

std::vector<StandInTray::Balloon> StandInTray::Balloons() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return balloons_;
}

void StandInTray::Run(HANDLE ready) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &StandInTray::Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "Shell_TrayWnd";
  RegisterClassA(&windowClass);
  // Topmost, so that the shell's FindWindow meets it before Wine's own.
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetEvent(ready);
  MSG message;
  while (window_ && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}

LRESULT CALLBACK StandInTray::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* tray = reinterpret_cast<StandInTray*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    PostQuitMessage(0);
    return 0;
  }
  if (message != WM_COPYDATA || !tray) return DefWindowProcA(window, message, wParam, lParam);
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  const auto* data = static_cast<const BYTE*>(copy->lpData);
  UINT flags = 0;
  if (copy->cbData >= kDataLength) std::memcpy(&flags, data + kFlagsAt, sizeof(flags));
  if (copy->dwData == NIM_MODIFY && (flags & NIF_INFO)) {
    std::lock_guard<std::mutex> lock(tray->mutex_);
    tray->balloons_.push_back({Narrow(data + kInfoTitleAt, 64), Narrow(data + kInfoAt, 256)});
  }
  return TRUE;
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
