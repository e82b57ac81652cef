#pragma once
#include <windows.h>

#include <string>

#include "ui/Prompts.h"
#include "ui/win32/ModalDialog.h"

namespace vandrel {

// Where the silenceable box puts its parts, in pixels of the client area.
// The box is 150 pixels high for one or two lines of text and grows by what
// further lines need; the check box is 150 wide unless its caption needs
// more in the dialog font of the system at hand.
struct SilenceableLayout {
  static constexpr int kBoxHeight = 150;
  static constexpr int kCheckLeft = 8;
  static constexpr int kCheckTop = 100;
  static constexpr int kCheckWidth = 150;
  static constexpr int kCheckHeight = 17;
  static constexpr int kCheckId = 1000;
};

// A message box extended by the check box "Don't show me this again.": the
// kind's icon, the text, the buttons of the set (the first the default, Esc
// for Cancel or No) and the check box below them.
class SilenceableBox : public ModalDialog {
 public:
  SilenceableBox(MessageKind kind, std::string text, MessageButtons buttons);
  SilenceableAnswer Show(HWND owner);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Start();
  void Finish(int command);
  struct TextExtent {
    int width, height, lineHeight;
  };
  void LayOut() const;
  TextExtent Measure(const std::string& text, UINT format) const;
  void PlaceBox(int designedWidth, int designedHeight) const;
  void Place(int id, int left, int top, int width, int height) const;

  MessageKind kind_;
  std::string text_;
  MessageButtons buttons_;
  bool dontShowAgain_ = false;
};

}  // namespace vandrel
