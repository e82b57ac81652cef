#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ui/win32/ModalDialog.h"

namespace vandrel {

// Where the password box puts its edit, in pixels of the client area; the
// box is 150 pixels high.
struct PasswordLayout {
  static constexpr int kBoxHeight = 150;
  static constexpr int kEditLeft = 8;
  static constexpr int kEditTop = 90;
  static constexpr int kEditWidth = 150;
  static constexpr int kEditHeight = 21;
  static constexpr int kEditId = 1000;
};

// A confirmation box with OK and Cancel and a masked edit box ('*' for
// every character), first in the tab order and focused at the start.
class PasswordBox : public ModalDialog {
 public:
  explicit PasswordBox(std::string text);
  // The typed text on OK; nothing on Cancel, Esc or the close box.
  std::optional<std::string> Show(HWND owner);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Start();
  void LayOut() const;
  void Place(int id, int left, int top, int width, int height) const;

  std::string text_;
  std::string typed_;
};

}  // namespace vandrel
