#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ui/win32/ModalDialog.h"

namespace vandrel {

// Where a confirmation box with an edit puts the edit, in pixels of the
// client area, and the box's outer size (a width of 0 fits the text).
struct EditBoxShape {
  int boxWidth;
  int boxHeight;
  int editLeft;
  int editTop;
  int editWidth;
  bool masked;          // '*' for every character
  std::string initial;  // the edit's text at the start, all of it selected
};

struct PasswordLayout {
  static constexpr int kBoxHeight = 150;
  static constexpr int kEditLeft = 8;
  static constexpr int kEditTop = 90;
  static constexpr int kEditWidth = 150;
  static constexpr int kEditHeight = 21;
  static constexpr int kEditId = 1000;
};

inline EditBoxShape PasswordShape() {
  return {0,
          PasswordLayout::kBoxHeight,
          PasswordLayout::kEditLeft,
          PasswordLayout::kEditTop,
          PasswordLayout::kEditWidth,
          true,
          ""};
}

// A confirmation box with OK and Cancel and an edit box, first in the tab
// order and focused at the start: masked for a password, plain for an
// address.
class PasswordBox : public ModalDialog {
 public:
  explicit PasswordBox(std::string text, EditBoxShape shape = PasswordShape());
  // The typed text on OK; nothing on Cancel, Esc or the close box.
  std::optional<std::string> Show(HWND owner);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Start();
  void LayOut() const;
  void Place(int id, int left, int top, int width, int height) const;

  std::string text_;
  EditBoxShape shape_;
  std::string typed_;
};

}  // namespace vandrel
