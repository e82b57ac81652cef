#pragma once
#include <windows.h>

#include <utility>

namespace vandrel {

// A move-only owner of one Windows handle. The traits say what the handle
// type is, which value means "no handle" and how to release it:
//   struct Traits {
//     using Handle = ...;
//     static Handle Invalid();
//     static void Close(Handle);
//   };
// New kinds of handles (menus, icons, GDI objects) only need new traits.
template <typename Traits>
class UniqueResource {
 public:
  using Handle = typename Traits::Handle;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
  ~UniqueResource() { reset(); }

  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  // For API calls that return the handle through a pointer: releases the
  // current handle first.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }

  Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

  void reset(Handle handle = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct HkeyTraits {
  using Handle = HKEY;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle key) noexcept { RegCloseKey(key); }
};

// Kernel handles whose "none" is null: processes, threads, events, mutexes.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { CloseHandle(handle); }
};

// Handles whose "none" is INVALID_HANDLE_VALUE: files from CreateFile.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { CloseHandle(handle); }
};

// Searches from FindFirstFile.
struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle find) noexcept { FindClose(find); }
};

// User-interface objects: menus, icons loaded for one owner (LoadImage
// without LR_SHARED), and GDI objects (fonts, bitmaps, brushes).
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle menu) noexcept { DestroyMenu(menu); }
};

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle icon) noexcept { DestroyIcon(icon); }
};

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle object) noexcept { DeleteObject(object); }
};

// Libraries loaded with LoadLibrary.
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle module) noexcept { FreeLibrary(module); }
};

// Windows this code made itself, hooks of window events and of input.
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle window) noexcept { DestroyWindow(window); }
};

struct WinEventHookTraits {
  using Handle = HWINEVENTHOOK;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle hook) noexcept { UnhookWinEvent(hook); }
};

struct WindowsHookTraits {
  using Handle = HHOOK;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle hook) noexcept { UnhookWindowsHookEx(hook); }
};

using UniqueHkey = UniqueResource<HkeyTraits>;
using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueFind = UniqueResource<FindTraits>;
using UniqueMenu = UniqueResource<MenuTraits>;
using UniqueIcon = UniqueResource<IconTraits>;
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;
using UniqueWindow = UniqueResource<WindowTraits>;
using UniqueWinEventHook = UniqueResource<WinEventHookTraits>;
using UniqueWindowsHook = UniqueResource<WindowsHookTraits>;

}  // namespace vandrel
