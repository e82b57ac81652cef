#pragma once
#include <windows.h>

#include "help/TTipForm.h"
#include "help/win32/FormDialog.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// The real tip of the day: a modal window with a single border and the
// system menu, centred on `owner` or on the screen while there is none.
class TipView : public FormDialog {
 public:
  TipView(TTipForm& form, HINSTANCE instance) : form_(form), instance_(instance) {}
  // Returns once the tip is closed: "&Ok", Esc, Enter or the close box.
  void ShowModal(HWND owner);

 private:
  void Start() override;
  bool Command(int id, int code) override;
  HBRUSH StaticColours(int id, HDC dc) override;

  TTipForm& form_;
  HINSTANCE instance_;
  HWND owner_ = nullptr;
  UniqueGdiObject headingFont_;
  UniqueGdiObject panelBrush_;
  UniqueGdiObject bulb_;
  UniqueGdiObject trayMenu_;
};

}  // namespace vandrel
