#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/win32/Window.h"
#include "viewer/MemoSelection.h"
#include "viewer/TextMemo.h"

namespace vandrel {

inline constexpr const char* kTextMemoClass = "VandrelTextMemo";

// A read-only memo for texts of many megabytes: it draws only the lines in
// sight, straight from the model, in a fixed-pitch font, with both scroll
// bars. Appending costs the new text alone, however long the text is.
// WM_GETTEXT and WM_GETTEXTLENGTH answer with the whole text. Its text is
// selected and copied as in a read-only edit control: mouse, Shift with the
// caret keys, Ctrl+A, Ctrl+C, Ctrl+Insert, the context menu, and the
// messages EM_GETSEL, EM_SETSEL and WM_COPY.
class TextMemoView : public Window {
 public:
  explicit TextMemoView(TextMemo& memo) : memo_(memo) {}
  ~TextMemoView() override;

  // A child of `parent` with the control id `id`, drawn in `font` (kept by the caller).
  void Create(HINSTANCE instance, HWND parent, int id, const RECT& place, HFONT font);
  // A key the memo does not use itself (Esc).
  std::function<void(int key)> onKey;
  // A copy that did not reach the clipboard, and why.
  std::function<void(const std::string& reason)> onCopyFailed;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Measure();
  void UpdateScrollBars() const;
  void Paint() const;
  void ScrollTo(int line, int column);
  void Scrolled(int bar, int request);
  void Grown();
  int VisibleRows() const;
  int VisibleColumns() const;
  void KeyDown(WPARAM key);
  void MouseDown(LPARAM point, bool extend);
  void MouseMoved(LPARAM point);
  void ShowContextMenu(LPARAM screenPoint);
  void Copy();
  // Redraws the selection and brings the caret into sight.
  void SelectionChanged();
  void PlaceCaret() const;
  LRESULT SelectionMessage(UINT message, WPARAM wParam, LPARAM lParam);

  TextMemo& memo_;
  HFONT font_ = nullptr;
  int lineHeight_ = 16;
  int charWidth_ = 8;
  int topLine_ = 0;
  int leftColumn_ = 0;
  std::size_t drawnLines_ = 0;  // lines when last drawn
  MemoSelection selection_{memo_};
  bool focused_ = false;     // the selection shows only then, as in an edit control
  DWORD lastClickTime_ = 0;  // for double clicks: the class has no CS_DBLCLKS
  POINT lastClick_{};
};

}  // namespace vandrel
