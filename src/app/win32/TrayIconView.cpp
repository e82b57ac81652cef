#include "app/win32/TrayIconView.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "platform/PlatformError.h"
#include "resources/tray/tray_ids.h"

namespace vandrel {

static_assert(IDI_TRAY_LEVEL_COUNT == 5, "one picture per fill level");

namespace {

BOOL AppendItem(HMENU menu, const TrayMenuItem& item, UINT id) {
  if (item.IsSeparator()) return AppendMenuA(menu, MF_SEPARATOR, id, nullptr);
  const UINT state = (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : MF_UNCHECKED);
  if (item.action != TrayAction::RecentlyClosed && item.submenu.empty()) {
    // A closed window's offers carry their own ids in the submenu's range.
    const UINT itemId = item.choice >= 0 ? FirstIdOf(TrayMenuKind::RecentlyClosed) + static_cast<UINT>(item.choice) : id;
    return AppendMenuA(menu, MF_STRING | state, itemId, item.caption.c_str());
  }
  UniqueMenu submenu = BuildPopupMenu(item.submenu, TrayMenuKind::RecentlyClosed);
  if (!AppendMenuA(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu.get()), item.caption.c_str())) {
    return FALSE;
  }
  submenu.release();  // the menu owns it now
  return TRUE;
}

// Whether every id of the menu stays in its kind's range.
bool IdsInRange(const TrayMenu& items) {
  if (items.size() > kTrayMenuIdRange) return false;
  for (const TrayMenuItem& item : items) {
    if (item.choice >= static_cast<int>(kTrayMenuIdRange) || !IdsInRange(item.submenu)) return false;
  }
  return true;
}

// The browser windows menu's titles that the work area holds one below
// another, with the menu's other items.
std::size_t FramesTheScreenHolds(POINT at) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  const HMONITOR shown = MonitorFromPoint(at, MONITOR_DEFAULTTOPRIMARY);
  RECT area{0, 0, 0, 768};
  if (shown && GetMonitorInfoA(shown, &monitor)) area = monitor.rcWork;
  const int itemHeight = std::max(GetSystemMetrics(SM_CYMENUSIZE), 1);
  const auto rows = static_cast<std::size_t>(std::max<LONG>(area.bottom - area.top, 0) / itemHeight);
  return rows > kBrowserMenuFixedItems ? rows - kBrowserMenuFixedItems : 1;
}

// The text, cut to fit the field with its end mark, at the start of a
// character: never inside a double-byte one of the system's code page.
template <std::size_t N>
void CopyCut(char (&field)[N], const std::string& text) {
  const char* start = text.c_str();
  std::size_t length = 0;
  while (length < text.size()) {
    const auto next = static_cast<std::size_t>(CharNextA(start + length) - start);
    if (next == length || next > N - 1) break;
    length = next;
  }
  std::memcpy(field, start, length);
  field[length] = '\0';
}

}  // namespace

UniqueMenu BuildPopupMenu(const TrayMenu& items, TrayMenuKind kind) {
  UniqueMenu menu(IdsInRange(items) ? CreatePopupMenu() : nullptr);
  if (!menu) throw PlatformError("Cannot create the menu");
  UINT id = FirstIdOf(kind);
  for (const TrayMenuItem& item : items) {
    if (!AppendItem(menu.get(), item, id)) throw PlatformError("Cannot create the menu");
    ++id;
  }
  return menu;
}

void NotifyIcon::Attach(HWND owner, UINT id, UINT callbackMessage) {
  owner_ = owner;
  id_ = id;
  callbackMessage_ = callbackMessage;
}

NOTIFYICONDATAA NotifyIcon::Data(UINT flags) {
  NOTIFYICONDATAA data{};
  // The layout of shell 5.0 (Windows 2000 and XP), which every later shell
  // accepts too (the program uses none of the fields added after it); an
  // older shell knows only the first layout, without balloons.
  static_assert(NOTIFYICONDATAA_V2_SIZE <= sizeof(data));
  data.cbSize = ShellMajorVersion() >= 5 ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner_;
  data.uID = id_;
  data.uFlags = flags;
  data.uCallbackMessage = callbackMessage_;
  return data;
}

bool NotifyIcon::Show(HICON icon, const std::string& tip) {
  NOTIFYICONDATAA data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  data.hIcon = icon;
  CopyCut(data.szTip, tip);
  return presence_.Show([&](IconChange change) { return Notify(change, data); });
}

bool NotifyIcon::ShowBalloon(const std::string& title, const std::string& text, UINT timeoutMs) {
  if (ShellMajorVersion() < 5) return false;
  NOTIFYICONDATAA data = Data(NIF_INFO);
  CopyCut(data.szInfoTitle, title);
  CopyCut(data.szInfo, text);
  data.uTimeout = timeoutMs;
  // The scan sounds its closes itself; shell 5.0 knows no NIIF_NOSOUND.
  data.dwInfoFlags = NIIF_INFO | (ShellMajorVersion() >= 6 ? NIIF_NOSOUND : 0);
  return presence_.Change([&](IconChange change) { return Notify(change, data); });
}

DWORD NotifyIcon::ShellMajorVersion() {
  if (shellMajorVersion_ == 0) {
    DLLVERSIONINFO version{};
    version.cbSize = sizeof(version);
    const auto getVersion = shell32_.Find<DLLGETVERSIONPROC>("DllGetVersion");
    shellMajorVersion_ = getVersion && SUCCEEDED(getVersion(&version)) ? version.dwMajorVersion : 4;
  }
  return shellMajorVersion_;
}

bool NotifyIcon::Notify(IconChange change, NOTIFYICONDATAA& data) {
  using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  const auto notify = shell32_.Find<NotifyFunction>("Shell_NotifyIconA");
  const DWORD message = change == IconChange::Add      ? NIM_ADD
                        : change == IconChange::Modify ? NIM_MODIFY
                                                       : NIM_DELETE;
  return notify && notify(message, &data) != FALSE;
}

void NotifyIcon::Remove() {
  if (!owner_) return;
  NOTIFYICONDATAA data = Data(0);
  // A refusal means the shell has dropped it already; nothing is left to undo.
  presence_.Remove([&](IconChange change) { return Notify(change, data); });
}

TrayIconView::TrayIconView(TZAVOClass& form, TrayMenus& menus, CloseNotice& notice, Timer& noticeTimer,
                           Prompts& prompts)
    : form_(form), menus_(menus), notice_(notice), noticeTimer_(noticeTimer) {
  SetErrorReporter(ReportThrough(prompts));
}

TrayIconView::~TrayIconView() {
  // The window sees no WM_DESTROY (Window detaches it first): the timer goes here.
  binder_.Unbind();
  notice_.show = nullptr;
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
  binder_.Bind(Handle(), {{noticeTimer_}});
  notice_.show = [this](const Balloon& balloon) {
    icon_.ShowBalloon(balloon.title, balloon.text, CloseNotice::kShownFor);
  };
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
  if (LRESULT result = 0; binder_.Route(message, wParam, lParam, result)) return result;
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

void TrayIconView::OnMenuCommand(UINT id, TrayMenuKind tracked) {
  const auto choice = ChoiceOf(id, tracked);
  if (!choice) return;
  switch (choice->kind) {
    case TrayMenuKind::RecentlyClosed: menus_.ChooseRecentlyClosed(choice->index); return;
    case TrayMenuKind::Static: menus_.ChooseStatic(choice->index); return;
    case TrayMenuKind::Icon: menus_.Choose(choice->index); return;
  }
}

void TrayIconView::OnIconMouse(UINT mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN: menus_.CoolTrayIcon1MouseDown(); return;
    case WM_RBUTTONDOWN: {
      POINT at{};
      GetCursorPos(&at);
      menus_.mostListedFrames = FramesTheScreenHolds(at);
      menus_.CoolTrayIcon1MouseDown();
      ShowMenu();
      return;
    }
    case WM_LBUTTONDBLCLK: menus_.CoolTrayIcon1DblClick(); return;
    // Shells 5.0 and later send it whether or not the icon asked for their
    // newer behaviour (NIM_SETVERSION), which would change the mouse
    // messages above; Wine 8 sends none.
    case NIN_BALLOONUSERCLICK: ShowRecentlyClosedMenu(); return;
    default: return;
  }
}

void TrayIconView::ShowContextMenu(POINT at) {
  Track(menus_.StaticMenu(), TrayMenuKind::Static, at);
}

void TrayIconView::ShowMenu() {
  POINT at{};
  GetCursorPos(&at);
  Track(menus_.CurrentMenu(), TrayMenuKind::Icon, at);
}

void TrayIconView::ShowRecentlyClosedMenu() {
  const TrayMenu items = menus_.RecentlyClosedMenuItems();
  if (items.empty()) return;
  POINT at{};
  GetCursorPos(&at);
  Track(items, TrayMenuKind::RecentlyClosed, at);
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

void TrayIconView::Track(const TrayMenu& items, TrayMenuKind kind, POINT at) {
  UniqueMenu menu = BuildPopupMenu(items, kind);
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
  if (chosen != 0) OnMenuCommand(chosen, kind);
}

}  // namespace vandrel
