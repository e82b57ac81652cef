#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"
#include "ui/win32/ModalDialog.h"

namespace vandrel {

// A fixed-size modal window laid out in pixels designed at 96 DPI (scaled to
// the screen's): it gets its client size and place when it starts, and its
// controls get their places and texts. Its
// default button IDOK, Enter, Esc and the close box all close it.
class FormDialog : public ModalDialog {
 protected:
  // Lays the window out, when the dialog starts (one made hidden: when it
  // is first shown).
  virtual void Start() = 0;
  // A command other than closing; true when handled.
  virtual bool Command(int id, int code) = 0;
  // The background brush of static control `id`, after setting `dc`'s
  // colours; null for the dialog's own.
  virtual HBRUSH StaticColours(int id, HDC dc) = 0;

  // The outer size that `clientWidth` x `clientHeight` needs, centred on
  // `centreOn` (the screen when null) and held to the work area; returns
  // the designed client size the window got.
  SIZE PlaceWindow(int clientWidth, int clientHeight, HWND centreOn) const;
  // Places control `id` and sets its text (when given).
  HWND PlaceControl(int id, int left, int top, int width, int height, const char* text = nullptr) const;
  // The dialog's font with the given weight, slant, underline, face and
  // height (designed; 0 keeps the dialog font's).
  UniqueGdiObject DerivedFont(bool bold, bool italic, bool underline, const char* face = nullptr, int height = 0) const;
  // The width of `text` in `font` (one line), in designed pixels.
  int TextWidth(const std::string& text, HFONT font) const;

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
  void BeforeFirstShow() final { Start(); }
};

}  // namespace vandrel
