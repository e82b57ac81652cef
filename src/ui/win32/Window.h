#pragma once
#include <windows.h>

#include "ui/win32/ErrorBarrier.h"

namespace vandrel {

// What a window class of the program looks like; Window registers it with
// its own window procedure.
struct WindowClass {
  HINSTANCE instance = nullptr;
  const char* name = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;  // null: the arrow
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

// Where and how a window is created.
struct WindowPlacement {
  const char* title = "";
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int left = CW_USEDEFAULT;
  int top = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  HWND parent = nullptr;
};

// The base of the program's own windows. One window procedure serves every
// class registered through it: the object arrives as lpCreateParams at
// WM_NCCREATE and lives in the window's extra bytes, and every message goes
// to HandleMessage behind the exception barrier. The object owns its window
// and destroys it when it goes.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return handle_; }
  // The module whose resources the window was made with.
  HINSTANCE Instance() const { return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(handle_, GWLP_HINSTANCE)); }
  // Where failures of this window's handlers are shown; the error box when unset.
  void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

 protected:
  Window() = default;

  // Registers the class (once per process) and creates the window; WM_CREATE
  // has run when it returns. Throws PlatformError when the window cannot be made.
  void Create(const WindowClass& windowClass, const WindowPlacement& placement);

  // Makes the window's controls through MakeContents, the first time only.
  // A window made hidden at the start calls it before it is first shown:
  // the start then pays for one window each, and a click at the start does
  // not wait for controls nobody has seen yet.
  void MakeContentsOnce();
  virtual void MakeContents() {}

  // One message; the default is the system's handling.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static Window* Attached(HWND window);

  HWND handle_ = nullptr;
  ErrorReporter reporter_;
  bool contentsMade_ = false;
};

}  // namespace vandrel
