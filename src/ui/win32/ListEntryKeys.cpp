#include "ui/win32/ListEntryKeys.h"

#include <commctrl.h>

namespace vandrel {
namespace {

constexpr UINT_PTR kListHook = 1;
constexpr UINT_PTR kEntryHook = 2;

}  // namespace

ListEntryKeys::ListEntryKeys(ListKeyDown listKeyDown, EntryKeyPress entryKeyPress, ErrorReporter report)
    : listKeyDown_(std::move(listKeyDown)), entryKeyPress_(std::move(entryKeyPress)), report_(std::move(report)) {}

void ListEntryKeys::Hook(HWND owner, HWND list, HWND entry) {
  Unhook();
  owner_ = owner;
  list_ = list;
  entry_ = entry;
  SetWindowSubclass(list_, &ListEntryKeys::Route, kListHook, reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(entry_, &ListEntryKeys::Route, kEntryHook, reinterpret_cast<DWORD_PTR>(this));
}

void ListEntryKeys::Unhook() {
  if (list_) RemoveWindowSubclass(list_, &ListEntryKeys::Route, kListHook);
  if (entry_) RemoveWindowSubclass(entry_, &ListEntryKeys::Route, kEntryHook);
  list_ = entry_ = nullptr;
}

LRESULT CALLBACK ListEntryKeys::Route(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) {
  auto& keys = *reinterpret_cast<ListEntryKeys*>(self);
  if (id == kEntryHook && message == WM_GETDLGCODE && lParam &&
      reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
    return DLGC_WANTALLKEYS;  // the dialog manager would take Enter for a default button
  }
  const bool entryChar = id == kEntryHook && message == WM_CHAR;
  const bool listKey = id == kListHook && message == WM_KEYDOWN;
  if (!entryChar && !listKey) return DefSubclassProc(control, message, wParam, lParam);
  const WPARAM key = RunGuarded(keys.owner_, keys.report_, WPARAM{0}, [&] {
    if (entryChar) {
      char typed = static_cast<char>(wParam);
      keys.entryKeyPress_(typed);
      return static_cast<WPARAM>(static_cast<unsigned char>(typed));
    }
    int pressed = static_cast<int>(wParam);
    keys.listKeyDown_(pressed);
    return static_cast<WPARAM>(pressed);
  });
  return key == 0 ? 0 : DefSubclassProc(control, message, key, lParam);
}

}  // namespace vandrel
