#include "platform/win32/Win32BrowserAddresses.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/win32/ComApartment.h"
#include "platform/win32/Handles.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {
namespace {

template <typename Interface>
struct ComTraits {
  using Handle = Interface*;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle object) noexcept { object->Release(); }
};
template <typename Interface>
using ComRef = UniqueResource<ComTraits<Interface>>;

using FreeTextFunction = void(WINAPI*)(BSTR);
using TextLengthFunction = UINT(WINAPI*)(BSTR);

// A text the browser hands over, freed through oleaut32's SysFreeString.
class OwnedBstr {
 public:
  explicit OwnedBstr(FreeTextFunction free) : free_(free) {}
  ~OwnedBstr() {
    if (text_) free_(text_);
  }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  BSTR* put() { return &text_; }
  BSTR get() const { return text_; }

 private:
  FreeTextFunction free_;
  BSTR text_ = nullptr;
};

// The address in the program's code page; empty when a character has no
// place in it, since a changed address would open another page.
std::string AnsiText(BSTR text, TextLengthFunction textLength) {
  const int length = static_cast<int>(textLength(text));
  if (length == 0) return {};
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return {};
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), size, nullptr, &lossy);
  return lossy ? std::string() : ansi;
}

// The frame's handle as the window manager gives it: a window handle has 32
// significant bits, also in a 64-bit process, and older browsers hand it
// back in a LONG.
WindowHandle FrameOf(SHANDLE_PTR reported) {
  return reinterpret_cast<WindowHandle>(LongToHandle(static_cast<LONG>(reported)));
}

// The COM calls the reading thread makes, loaded on it. The shell's list is
// made once and kept for the thread's life: each release of a list is a call
// into the process that serves it, and Wine's desktop process was seen to
// deadlock on a release that met another program's first call. A list that
// fails (the shell restarted) is let go and made again at the next read.
class ShellWindowsReader {
 public:
  // Every listed frame and its address; one the list cannot name is left out.
  void ReadAll(std::vector<FrameAddress>& into) {
    into.clear();
    const auto freeText = oleaut32_.Find<FreeTextFunction>("SysFreeString");
    const auto textLength = oleaut32_.Find<TextLengthFunction>("SysStringLen");
    if (!freeText || !textLength || !HasList()) return;
    long count = 0;
    if (FAILED(windows_.get()->get_Count(&count))) {
      windows_.reset();
      return;
    }
    for (long i = 0; i < count; ++i) {
      VARIANT index{};  // as VariantInit leaves it, then a number
      index.vt = VT_I4;
      index.lVal = i;
      ComRef<IDispatch> item;
      if (FAILED(windows_.get()->Item(index, item.put())) || !item) continue;
      ComRef<IWebBrowser2> browser;
      if (FAILED(item.get()->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put()))) || !browser) {
        continue;  // a shell folder window, not a browser
      }
      SHANDLE_PTR handle = 0;
      if (FAILED(browser.get()->get_HWND(&handle)) || handle == 0) continue;
      OwnedBstr address(freeText);
      if (FAILED(browser.get()->get_LocationURL(address.put())) || !address.get()) continue;
      into.push_back({FrameOf(handle), AnsiText(address.get(), textLength)});
    }
  }

 private:
  bool HasList() {
    if (windows_) return true;
    using CreateFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    const auto create = ole32_.Find<CreateFunction>("CoCreateInstance");
    if (!apartment_.Entered() || !create) return false;
    if (FAILED(create(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                      reinterpret_cast<void**>(windows_.put())))) {
      windows_.reset();
    }
    return static_cast<bool>(windows_);
  }

  // Declared in the order they are made: the list goes before the apartment
  // and the libraries it needs.
  const ComApartment apartment_{ComApartment::Kind::Multithreaded};
  LateLibrary ole32_{"ole32.dll"};
  LateLibrary oleaut32_{"oleaut32.dll"};
  ComRef<IShellWindows> windows_;
};

}  // namespace

struct Win32BrowserAddresses::Shared {
  UniqueHandle wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};  // a read is wanted, or the end
  UniqueHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};   // the answer is there
  std::atomic<bool> ending{false};
  // Written by the thread between a wake and done, read by the caller only
  // after done: the events order the two.
  std::vector<FrameAddress> answer;
};

namespace {

DWORD WINAPI ReadWhenWoken(LPVOID parameter) {
  const std::unique_ptr<std::shared_ptr<Win32BrowserAddresses::Shared>> handed(
      static_cast<std::shared_ptr<Win32BrowserAddresses::Shared>*>(parameter));
  const std::shared_ptr<Win32BrowserAddresses::Shared> shared = *handed;
  ShellWindowsReader reader;
  while (WaitForSingleObject(shared->wake.get(), INFINITE) == WAIT_OBJECT_0 && !shared->ending) {
    reader.ReadAll(shared->answer);
    SetEvent(shared->done.get());
  }
  return 0;
}

// How long the end of the program waits for a read to end.
constexpr DWORD kEndWait = 500;

}  // namespace

Win32BrowserAddresses::~Win32BrowserAddresses() {
  if (!thread_) return;
  shared_->ending = true;
  SetEvent(shared_->wake.get());
  WaitForSingleObject(thread_.get(), kEndWait);
}

bool Win32BrowserAddresses::StartThread() {
  if (thread_) return true;
  if (noThread_) return false;
  shared_ = std::make_shared<Shared>();
  auto handed = std::make_unique<std::shared_ptr<Shared>>(shared_);
  if (shared_->wake && shared_->done) {
    thread_.reset(CreateThread(nullptr, 0, ReadWhenWoken, handed.get(), 0, nullptr));
  }
  if (!thread_) {
    noThread_ = true;
    return false;
  }
  handed.release();  // the thread owns it now
  return true;
}

void Win32BrowserAddresses::StartReading() {
  if (reading_) return;
  reading_ = true;
  if (!StartThread()) return;
  ResetEvent(shared_->done.get());
  SetEvent(shared_->wake.get());
}

bool Win32BrowserAddresses::TakeAnswer(std::vector<FrameAddress>& into, std::uint32_t milliseconds) {
  if (!reading_) return false;
  if (noThread_) {
    into.clear();
  } else {
    if (WaitForSingleObject(shared_->done.get(), milliseconds) != WAIT_OBJECT_0) return false;
    into.swap(shared_->answer);
  }
  reading_ = false;
  return true;
}

}  // namespace vandrel
