#include "app/win32/TrayIconView.h"

#include <algorithm>
#include <cstring>

#include "platform/PlatformError.h"
#include "resources/tray/tray_ids.h"

namespace vandrel {

static_assert(IDI_TRAY_LEVEL_COUNT == 5, "one picture per fill level");

namespace {

BOOL AppendItem(HMENU menu, const TrayMenuItem& item, UINT id, UINT firstSubmenuId) {
  if (item.IsSeparator()) return AppendMenuA(menu, MF_SEPARATOR, id, nullptr);
  const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
  if (item.action != TrayAction::RecentlyClosed && item.submenu.empty()) {
    // A closed window's offers carry their own ids in the submenu's range.
    const UINT itemId = item.choice >= 0 ? firstSubmenuId + static_cast<UINT>(item.choice) : id;
    return AppendMenuA(menu, MF_STRING | state, itemId, item.caption.c_str());
  }
  UniqueMenu submenu = BuildPopupMenu(item.submenu, firstSubmenuId, firstSubmenuId);
  if (!AppendMenuA(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu.get()), item.caption.c_str())) {
    return FALSE;
  }
  submenu.release();  // the menu owns it now
  return TRUE;
}

}  // namespace

UniqueMenu BuildPopupMenu(const TrayMenu& items, UINT firstId, UINT firstSubmenuId) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) throw PlatformError("Cannot create the menu");
  UINT id = firstId;
  for (const TrayMenuItem& item : items) {
    if (!AppendItem(menu.get(), item, id, firstSubmenuId)) throw PlatformError("Cannot create the menu");
    ++id;
  }
  return menu;
}

void NotifyIcon::Attach(HWND owner, UINT id, UINT callbackMessage) {
  owner_ = owner;
  id_ = id;
  callbackMessage_ = callbackMessage;
}

NOTIFYICONDATAA NotifyIcon::Data(UINT flags) const {
  NOTIFYICONDATAA data{};
  // The layout of shell 5.0 (Windows 2000 and XP), which every later shell
  // accepts too; the program uses none of the fields added after it.
  static_assert(NOTIFYICONDATAA_V2_SIZE <= sizeof(data));
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = owner_;
  data.uID = id_;
  data.uFlags = flags;
  data.uCallbackMessage = callbackMessage_;
  return data;
}

bool NotifyIcon::Show(HICON icon, const std::string& tip) {
  NOTIFYICONDATAA data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  data.hIcon = icon;
  const std::size_t length = std::min(tip.size(), sizeof(data.szTip) - 1);
  std::memcpy(data.szTip, tip.data(), length);
  // A refused change means the shell no longer knows the icon: add it anew.
  if (added_ && Notify(NIM_MODIFY, data)) return true;
  added_ = Notify(NIM_ADD, data);
  return added_;
}

bool NotifyIcon::Notify(DWORD change, NOTIFYICONDATAA& data) {
  using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  const auto notify = shell32_.Find<NotifyFunction>("Shell_NotifyIconA");
  return notify && notify(change, &data) != FALSE;
}

void NotifyIcon::Remove() {
  if (!added_) return;
  NOTIFYICONDATAA data = Data(0);
  // A refusal means the shell has dropped it already; nothing is left to undo.
  Notify(NIM_DELETE, data);
  added_ = false;
}

TrayIconView::TrayIconView(TZAVOClass& form, TrayMenus& menus, Prompts& prompts) : form_(form), menus_(menus) {
  SetErrorReporter(ReportThrough(prompts));
}

TrayIconView::~TrayIconView() {
  form_.trayRedraw = nullptr;
  form_.ensureTrayIcon = nullptr;
  icon_.Remove();
}

void TrayIconView::Create(HINSTANCE instance) {
  for (std::size_t level = 0; level < pictures_.size(); ++level) {
    pictures_[level].reset(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TRAY_LEVEL_0 + level), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    if (!pictures_[level]) throw PlatformError("Cannot load the notification-area icons");
  }
  WindowClass windowClass;
  windowClass.instance = instance;
  windowClass.name = kWindowClass;
  WindowPlacement placement;
  placement.title = kApplicationTitle;
  placement.style = WS_POPUP;
  placement.exStyle = WS_EX_TOOLWINDOW;
  placement.left = placement.top = placement.width = placement.height = 0;
  Window::Create(windowClass, placement);
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  icon_.Attach(Handle(), kIconId, kCallbackMessage);
  form_.trayRedraw = [this] { DrawIcon(); };
  form_.ensureTrayIcon = [this] {
    if (!icon_.Shown()) DrawIcon();
    return icon_.Shown();
  };
  DrawIcon();
}

void TrayIconView::DrawIcon() {
  // An index beyond the last picture shows the last.
  const int level = std::clamp(form_.TrayIconIndex(), 0, static_cast<int>(pictures_.size()) - 1);
  icon_.Show(pictures_[static_cast<std::size_t>(level)].get(), form_.TrayHint());
}

LRESULT TrayIconView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallbackMessage) {
    OnIconMouse(static_cast<UINT>(lParam));
    return 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    // The shell restarted: it has lost the icon.
    icon_.Forget();
    DrawIcon();
    return 0;
  }
  return Default(message, wParam, lParam);
}

void TrayIconView::OnMenuCommand(UINT id) {
  if (id >= kFirstRecentlyClosedId) {
    menus_.ChooseRecentlyClosed(id - kFirstRecentlyClosedId);
  } else if (id >= kFirstStaticItemId) {
    menus_.ChooseStatic(id - kFirstStaticItemId);
  } else if (id >= kFirstItemId) {
    menus_.Choose(id - kFirstItemId);
  }
}

void TrayIconView::OnIconMouse(UINT mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN: menus_.CoolTrayIcon1MouseDown(); return;
    case WM_RBUTTONDOWN:
      menus_.CoolTrayIcon1MouseDown();
      ShowMenu();
      return;
    case WM_LBUTTONDBLCLK: menus_.CoolTrayIcon1DblClick(); return;
    default: return;
  }
}

void TrayIconView::ShowContextMenu(POINT at) {
  Track(BuildPopupMenu(menus_.StaticMenu(), kFirstStaticItemId, kFirstRecentlyClosedId), at);
}

void TrayIconView::ShowMenu() {
  POINT at{};
  GetCursorPos(&at);
  Track(BuildPopupMenu(menus_.CurrentMenu(), kFirstItemId, kFirstRecentlyClosedId), at);
}

HWND TrayIconView::MenuOwner() const {
  // The window the user is in keeps the activation when it is one of this
  // program's; otherwise the hidden window takes the foreground.
  const HWND active = GetForegroundWindow();
  DWORD processId = 0;
  if (active && GetWindowThreadProcessId(active, &processId) && processId == GetCurrentProcessId()) {
    return active;
  }
  return Handle();
}

void TrayIconView::Track(UniqueMenu menu, POINT at) {
  // Without the foreground the menu would not close when the user clicks
  // elsewhere; the null message lets a second press open it again at once.
  // The command comes back here rather than to the owner, which may be a
  // window with commands of its own.
  const HWND owner = MenuOwner();
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  menu.reset();
  if (chosen != 0) OnMenuCommand(chosen);
}

}  // namespace vandrel
