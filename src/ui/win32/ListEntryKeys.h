#pragma once
#include <windows.h>

#include <functional>

#include "ui/win32/ErrorBarrier.h"

namespace vandrel {

// A list and an entry box whose keys go to the model first, as in the block
// list and the always-allowed windows: every key pressed in the list (Del
// removes) and every character typed into the entry (Enter adds, which the
// dialog manager would otherwise take for the default button). A handler
// that sets the key to 0 swallows it.
class ListEntryKeys {
 public:
  using ListKeyDown = std::function<void(int& key)>;
  using EntryKeyPress = std::function<void(char& key)>;

  ListEntryKeys(ListKeyDown listKeyDown, EntryKeyPress entryKeyPress, ErrorReporter report);
  ~ListEntryKeys() { Unhook(); }
  ListEntryKeys(const ListEntryKeys&) = delete;
  ListEntryKeys& operator=(const ListEntryKeys&) = delete;

  // `owner` is the window whose handlers fail, for the error box.
  void Hook(HWND owner, HWND list, HWND entry);
  // Before the controls go (the owner's WM_DESTROY).
  void Unhook();

 private:
  static LRESULT CALLBACK Route(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR self);

  ListKeyDown listKeyDown_;
  EntryKeyPress entryKeyPress_;
  ErrorReporter report_;
  HWND owner_ = nullptr;
  HWND list_ = nullptr;
  HWND entry_ = nullptr;
};

}  // namespace vandrel
