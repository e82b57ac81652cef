#include "platform/win32/Win32BrowserAddresses.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>

#include <cstdint>

#include "platform/win32/Handles.h"

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

// A window handle has 32 significant bits, also in a 64-bit process; the
// browser hands it back in a LONG on older versions.
bool SameWindow(SHANDLE_PTR reported, WindowHandle frame) {
  return static_cast<std::uint32_t>(reported) == static_cast<std::uint32_t>(frame);
}

}  // namespace

std::string Win32BrowserAddresses::AddressOf(WindowHandle frame) {
  using CreateFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
  const auto create = ole32_.Find<CreateFunction>("CoCreateInstance");
  const auto freeText = oleaut32_.Find<FreeTextFunction>("SysFreeString");
  const auto textLength = oleaut32_.Find<TextLengthFunction>("SysStringLen");
  if (!create || !freeText || !textLength) return {};
  ComRef<IShellWindows> windows;
  if (FAILED(create(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                    reinterpret_cast<void**>(windows.put()))) ||
      !windows) {
    return {};
  }
  long count = 0;
  if (FAILED(windows.get()->get_Count(&count))) return {};
  for (long i = 0; i < count; ++i) {
    VARIANT index{};  // as VariantInit leaves it, then a number
    index.vt = VT_I4;
    index.lVal = i;
    ComRef<IDispatch> item;
    if (FAILED(windows.get()->Item(index, item.put())) || !item) continue;
    ComRef<IWebBrowser2> browser;
    if (FAILED(item.get()->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put()))) || !browser) {
      continue;  // a shell folder window, not a browser
    }
    SHANDLE_PTR handle = 0;
    if (FAILED(browser.get()->get_HWND(&handle)) || !SameWindow(handle, frame)) continue;
    OwnedBstr address(freeText);
    if (FAILED(browser.get()->get_LocationURL(address.put())) || !address.get()) return {};
    return AnsiText(address.get(), textLength);
  }
  return {};
}

}  // namespace vandrel
