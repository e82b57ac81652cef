#pragma once
#include <windows.h>

namespace vandrel {

// A static control made a link: the hand cursor over it, its text
// underlined while the mouse is over it and plain again after it leaves.
// Clicks reach the parent as STN_CLICKED (the control has SS_NOTIFY). The
// control's own procedure is put back when this object goes.
class LinkLabel {
 public:
  LinkLabel(HWND label, HFONT plain, HFONT underlined);
  ~LinkLabel();
  LinkLabel(const LinkLabel&) = delete;
  LinkLabel& operator=(const LinkLabel&) = delete;

  bool Underlined() const { return hovered_; }

 private:
  static LRESULT CALLBACK Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
  void SetHovered(bool hovered);

  HWND label_;
  HFONT plain_;
  HFONT underlined_;
  WNDPROC original_;
  bool hovered_ = false;
};

}  // namespace vandrel
