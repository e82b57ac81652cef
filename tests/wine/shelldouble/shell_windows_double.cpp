// Stands in for the shell's list of browser windows inside the program under
// test. Wine's list never names a frame's address, so a test points that
// list's class at this library (TreatAs) and names each frame's address in
// HKCU\Software\Vandrel Tests\Browser addresses: the value's name is the
// frame's handle in hex digits, its data the address. A frame named the same
// way in HKCU\Software\Vandrel Tests\Browser delays (a DWORD of
// milliseconds) answers for its address that much later, as a busy
// browser does. Each list made is counted (see CountListMade).
//
// It serves what the program asks of the list: its count, its items, and of
// each item its window and its address. The other slots stay empty; a
// program that called one would crash, and its test would show it.
#define CINTERFACE
#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>

#include <cwchar>
#include <initializer_list>
#include <new>

namespace {

constexpr wchar_t kTestsKey[] = L"Software\\Vandrel Tests";
constexpr wchar_t kListsMadeValue[] = L"Browser lists made";
constexpr wchar_t kAddressesKey[] = L"Software\\Vandrel Tests\\Browser addresses";
constexpr wchar_t kDelaysKey[] = L"Software\\Vandrel Tests\\Browser delays";
constexpr DWORD kMostFrames = 64;
constexpr DWORD kLongestAddress = 2084;  // the browser's own limit

// {5A1E0C3B-7D4F-4E8A-9C61-2B8F0D3E7A10}, named by the tests' registration.
constexpr CLSID kDoubleClass = {0x5a1e0c3b, 0x7d4f, 0x4e8a, {0x9c, 0x61, 0x2b, 0x8f, 0x0d, 0x3e, 0x7a, 0x10}};

struct Frame {
  SHANDLE_PTR window = 0;
  DWORD delay = 0;  // milliseconds before the address is told
  WCHAR address[kLongestAddress] = {};
};

template <typename Object>
Object* Allocate() {
  void* memory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Object));
  return memory ? new (memory) Object() : nullptr;
}

// The objects begin with their interface, so that its pointer is the object's.
template <typename Object, typename Face>
Object* ObjectOf(Face* face) {
  return reinterpret_cast<Object*>(face);
}

template <typename Object, typename Face>
ULONG STDMETHODCALLTYPE AddRef(Face* face) {
  return static_cast<ULONG>(InterlockedIncrement(&ObjectOf<Object>(face)->references));
}

template <typename Object, typename Face>
ULONG STDMETHODCALLTYPE Release(Face* face) {
  Object* object = ObjectOf<Object>(face);
  const LONG left = InterlockedDecrement(&object->references);
  if (left == 0) {
    object->~Object();
    HeapFree(GetProcessHeap(), 0, object);
  }
  return static_cast<ULONG>(left);
}

// The object itself for each interface it offers.
template <typename Object, typename Face>
HRESULT Query(Face* face, REFIID asked, void** object, std::initializer_list<const IID*> offered) {
  if (!object) return E_POINTER;
  for (const IID* one : offered) {
    if (IsEqualIID(asked, *one)) {
      AddRef<Object>(face);
      *object = face;
      return S_OK;
    }
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

// The item the list hands out for a frame.
struct Browser {
  IWebBrowser2 face{};
  LONG references = 1;
  Frame frame;
};

HRESULT STDMETHODCALLTYPE BrowserQuery(IWebBrowser2* face, REFIID asked, void** object) {
  return Query<Browser>(face, asked, object,
                        {&IID_IUnknown, &IID_IDispatch, &IID_IWebBrowser, &IID_IWebBrowserApp, &IID_IWebBrowser2});
}
HRESULT STDMETHODCALLTYPE BrowserAddress(IWebBrowser2* face, BSTR* address) {
  if (!address) return E_POINTER;
  Sleep(ObjectOf<Browser>(face)->frame.delay);
  *address = SysAllocString(ObjectOf<Browser>(face)->frame.address);
  return *address ? S_OK : E_OUTOFMEMORY;
}
HRESULT STDMETHODCALLTYPE BrowserWindow(IWebBrowser2* face, SHANDLE_PTR* window) {
  if (!window) return E_POINTER;
  *window = ObjectOf<Browser>(face)->frame.window;
  return S_OK;
}

const IWebBrowser2Vtbl kBrowserCalls = {
    .QueryInterface = BrowserQuery,
    .AddRef = AddRef<Browser>,
    .Release = Release<Browser>,
    .get_LocationURL = BrowserAddress,
    .get_HWND = BrowserWindow,
};

// The list, as the registry names the frames when the program counts them.
struct List {
  IShellWindows face{};
  LONG references = 1;
  DWORD count = 0;
  Frame frames[kMostFrames];
};

// A DWORD value of an open key; 0 when it is missing or of another type.
DWORD DwordOf(HKEY key, const WCHAR* name) {
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return 0;
  }
  return value;
}

// Each list made is counted in HKCU\Software\Vandrel Tests\Browser lists made
// (a DWORD), for a test to tell how often the program makes one.
void CountListMade() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kTestsKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const DWORD made = DwordOf(key, kListsMadeValue) + 1;
  RegSetValueExW(key, kListsMadeValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&made), sizeof made);
  RegCloseKey(key);
}

DWORD DelayOf(const WCHAR* frameName) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kDelaysKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
  const DWORD delay = DwordOf(key, frameName);
  RegCloseKey(key);
  return delay;
}

void ReadFrames(List& list) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kAddressesKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
  for (DWORD i = 0; list.count < kMostFrames; ++i) {
    WCHAR name[32] = {};
    DWORD nameLength = ARRAYSIZE(name);
    Frame& frame = list.frames[list.count];
    DWORD type = 0;
    DWORD size = sizeof(frame.address) - sizeof(WCHAR);  // room for the end
    const LONG read =
        RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(frame.address), &size);
    if (read == ERROR_NO_MORE_ITEMS) break;
    if (read != ERROR_SUCCESS || type != REG_SZ) continue;
    frame.window = static_cast<SHANDLE_PTR>(std::wcstoull(name, nullptr, 16));
    // The browser delists a frame as it closes: a closed one is named no more.
    if (!IsWindow(reinterpret_cast<HWND>(frame.window))) continue;
    frame.delay = DelayOf(name);
    ++list.count;
  }
  RegCloseKey(key);
}

HRESULT STDMETHODCALLTYPE ListQuery(IShellWindows* face, REFIID asked, void** object) {
  return Query<List>(face, asked, object, {&IID_IUnknown, &IID_IDispatch, &IID_IShellWindows});
}
// Each count reads the frames anew, as the shell's list names the frames
// open at the time it is asked, however long ago the list was made.
HRESULT STDMETHODCALLTYPE ListCount(IShellWindows* face, LONG* count) {
  if (!count) return E_POINTER;
  List& list = *ObjectOf<List>(face);
  list.count = 0;
  ReadFrames(list);
  *count = static_cast<LONG>(list.count);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE ListItem(IShellWindows* face, VARIANT index, IDispatch** item) {
  if (!item) return E_POINTER;
  *item = nullptr;
  const List& list = *ObjectOf<List>(face);
  if (index.vt != VT_I4 || index.lVal < 0 || static_cast<DWORD>(index.lVal) >= list.count) return S_FALSE;
  Browser* browser = Allocate<Browser>();
  if (!browser) return E_OUTOFMEMORY;
  browser->face.lpVtbl = const_cast<IWebBrowser2Vtbl*>(&kBrowserCalls);
  browser->frame = list.frames[index.lVal];
  *item = reinterpret_cast<IDispatch*>(&browser->face);
  return S_OK;
}

const IShellWindowsVtbl kListCalls = {
    .QueryInterface = ListQuery,
    .AddRef = AddRef<List>,
    .Release = Release<List>,
    .get_Count = ListCount,
    .Item = ListItem,
};

// The class object: no state, one for the process.
HRESULT STDMETHODCALLTYPE FactoryQuery(IClassFactory* face, REFIID asked, void** object) {
  if (!object) return E_POINTER;
  *object = IsEqualIID(asked, IID_IUnknown) || IsEqualIID(asked, IID_IClassFactory) ? face : nullptr;
  return *object ? S_OK : E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE FactoryAddRef(IClassFactory*) { return 2; }
ULONG STDMETHODCALLTYPE FactoryRelease(IClassFactory*) { return 1; }
HRESULT STDMETHODCALLTYPE FactoryCreate(IClassFactory*, IUnknown* outer, REFIID asked, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  List* list = Allocate<List>();
  if (!list) return E_OUTOFMEMORY;
  list->face.lpVtbl = const_cast<IShellWindowsVtbl*>(&kListCalls);
  CountListMade();
  const HRESULT result = ListQuery(&list->face, asked, object);
  Release<List>(&list->face);
  return result;
}
HRESULT STDMETHODCALLTYPE FactoryLock(IClassFactory*, BOOL) { return S_OK; }

const IClassFactoryVtbl kFactoryCalls = {FactoryQuery, FactoryAddRef, FactoryRelease, FactoryCreate, FactoryLock};
IClassFactory kFactory = {const_cast<IClassFactoryVtbl*>(&kFactoryCalls)};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID type, REFIID asked, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(type, kDoubleClass)) return CLASS_E_CLASSNOTAVAILABLE;
  return FactoryQuery(&kFactory, asked, object);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
