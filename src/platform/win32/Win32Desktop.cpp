#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include "platform/AsciiCase.h"
#include "platform/FullPath.h"
#include "platform/win32/FunctionLookup.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemLibrary.h"

namespace vandrel {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// The full path of the program that made the window; empty when it cannot
// be read. Vista and later answer for any process of the user's, elevated
// or not; XP, which lacks that call, answers through psapi.
std::string ProgramImageOf(HWND window) {
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(window, &processId) || processId == 0) return {};
  char path[MAX_PATH + 1] = {};
  using FullImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
  constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista and later
  if (const auto fullImageName = LookupFunction<FullImageName>(GetModuleHandleA("kernel32.dll"),
                                                              "QueryFullProcessImageNameA")) {
    const UniqueHandle process(OpenProcess(kQueryLimitedInformation, FALSE, processId));
    DWORD size = MAX_PATH;
    if (process && fullImageName(process.get(), 0, path, &size)) return std::string(path, size);
    return {};
  }
  using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
  const UniqueModule psapi(LoadSystemLibrary("psapi.dll"));
  const auto moduleFileName = LookupFunction<ModuleFileName>(psapi.get(), "GetModuleFileNameExA");
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!moduleFileName || !process) return {};
  const DWORD length = moduleFileName(process.get(), nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::uint32_t StyleOf(HWND window) {
  return static_cast<std::uint32_t>(GetWindowLongPtrA(window, GWL_STYLE));  // 0 when gone
}

// EnumWindows visits the top-level windows in Z order, topmost first. A
// top-level window's only parent is the desktop, which is always shown, so
// its own WS_VISIBLE bit is what IsWindowVisible answers; under Wine the
// style alone costs half as much (IsWindowVisible also lists the parents).
BOOL CALLBACK KeepVisible(HWND window, LPARAM list) {
  if (StyleOf(window) & WS_VISIBLE) {
    reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(reinterpret_cast<WindowHandle>(window));
  }
  return TRUE;
}

// GetClassNameA returns the number of characters copied, 0 on failure.
void StoreLength(int copied, ClassText& out) {
  out.length = copied > 0 ? static_cast<std::size_t>(copied) : 0;
  if (out.length == 0) out.data[0] = '\0';
}

constexpr std::size_t kFirstTitleBuffer = 256;
constexpr int kTitleReadAttempts = 3;

// Reads the title into all of `out`; true when it is whole: a read that
// leaves less than a character of two bytes free may have been cut (Wine
// drops a character of two that does not fit whole).
bool ReadTitleInto(HWND window, std::string& out) {
  out.resize(out.capacity() < kFirstTitleBuffer ? kFirstTitleBuffer : out.capacity());
  const int copied = GetWindowTextA(window, out.data(), static_cast<int>(out.size()));
  const std::size_t length = copied > 0 ? static_cast<std::size_t>(copied) : 0;
  const bool whole = length + 2 < out.size();
  out.resize(length);
  return whole;
}

}  // namespace

void Win32Desktop::ListVisibleWindows(std::vector<WindowHandle>& out) {
  out.clear();
  EnumWindows(KeepVisible, reinterpret_cast<LPARAM>(&out));
}

// Into the buffer the last read left first, which holds every usual title
// with one call; a longer title is read again after asking its length (an
// upper bound), and again should it have grown in between. Neither call
// sends a message to another process's window.
void Win32Desktop::ReadTitle(WindowHandle window, std::string& out) {
  const HWND hwnd = ToHwnd(window);
  for (int attempt = 0; attempt < kTitleReadAttempts; ++attempt) {
    if (ReadTitleInto(hwnd, out)) return;
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return;
    out.reserve(static_cast<std::size_t>(length) + 3);
  }
  ReadTitleInto(hwnd, out);  // a title that keeps growing is taken as it reads now
}

void Win32Desktop::ReadClassName(WindowHandle window, ClassText& out) {
  StoreLength(GetClassNameA(ToHwnd(window), out.data, static_cast<int>(kClassBufferSize)), out);
}

// The style word alone: under Wine GetWindowInfo, which gathers the
// rectangles and more, costs several times as much.
std::uint32_t Win32Desktop::ReadStyle(WindowHandle window) { return StyleOf(ToHwnd(window)); }

bool Win32Desktop::IsVisible(WindowHandle window) { return IsWindowVisible(ToHwnd(window)) != FALSE; }

std::uint32_t Win32Desktop::ProcessOf(WindowHandle window) {
  DWORD processId = 0;
  return GetWindowThreadProcessId(ToHwnd(window), &processId) ? processId : 0;
}

bool Win32Desktop::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return PostMessageA(ToHwnd(window), message, wParam, lParam) != FALSE;
}

WindowHandle Win32Desktop::FindOfProgram(const std::string& className, const std::string& title,
                                         std::string_view programFileName) {
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className.c_str(), title.c_str()));) {
    if (EqualIgnoringAsciiCase(FileNameOf(ProgramImageOf(window)), programFileName)) {
      return reinterpret_cast<WindowHandle>(window);
    }
  }
  return 0;
}

void Win32Desktop::BringToForeground(WindowHandle window) { SetForegroundWindow(ToHwnd(window)); }

}  // namespace vandrel
