#include "viewer/win32/TextMemoView.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/win32/Handles.h"
#include "ui/win32/DeviceContext.h"
#include "viewer/win32/ClipboardText.h"

namespace vandrel {
namespace {

constexpr int kMargin = 2;
constexpr int kWheelLines = 3;
// The context menu's commands: the edit control's own ids and texts for them.
constexpr UINT kCopyCommand = WM_COPY;
constexpr UINT kSelectAllCommand = EM_SETSEL;

bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

int Clamped(std::size_t value) { return static_cast<int>(std::min<std::size_t>(value, INT_MAX)); }

}  // namespace

TextMemoView::~TextMemoView() {
  // The model outlives this view.
  memo_.redraw = nullptr;
  memo_.appended = nullptr;
}

void TextMemoView::Create(HINSTANCE instance, HWND parent, int id, const RECT& place, HFONT font) {
  font_ = font;
  WindowPlacement placement;
  placement.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL;
  placement.exStyle = WS_EX_CLIENTEDGE;
  placement.left = place.left;
  placement.top = place.top;
  placement.width = place.right - place.left;
  placement.height = place.bottom - place.top;
  placement.parent = parent;
  Window::Create(
      {instance, kTextMemoClass, nullptr, LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
      placement);
  SetWindowLongPtrA(Handle(), GWLP_ID, id);
  Measure();
  memo_.redraw = [this] {
    selection_.Reset();
    ScrollTo(0, 0);
    drawnLines_ = memo_.LineCount();
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, TRUE);
  };
  memo_.appended = [this] { Grown(); };
  memo_.redraw();
}

void TextMemoView::Measure() {
  TEXTMETRICA metrics{};
  {
    const WindowDc dc(Handle());
    const SelectedObject font(dc.Get(), font_);
    GetTextMetricsA(dc.Get(), &metrics);
  }
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
  charWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
}

int TextMemoView::VisibleRows() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return std::max<int>(1, (client.bottom - client.top) / lineHeight_);
}

int TextMemoView::VisibleColumns() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return std::max<int>(1, (client.right - client.left - kMargin) / charWidth_);
}

void TextMemoView::UpdateScrollBars() const {
  SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
  info.nMax = std::max(0, Clamped(memo_.LineCount()) - 1);
  info.nPage = static_cast<UINT>(VisibleRows());
  info.nPos = topLine_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  info.nMax = std::max(0, Clamped(memo_.LongestLine()) - 1);
  info.nPage = static_cast<UINT>(VisibleColumns());
  info.nPos = leftColumn_;
  SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
}

void TextMemoView::Grown() {
  const std::size_t before = drawnLines_;
  drawnLines_ = memo_.LineCount();
  UpdateScrollBars();
  // Only lines that come into sight are drawn again; the last one drawn may have grown.
  const std::size_t bottom = static_cast<std::size_t>(topLine_) + static_cast<std::size_t>(VisibleRows());
  if (before > bottom) return;
  RECT rows;
  GetClientRect(Handle(), &rows);
  const std::size_t firstChanged = before == 0 ? 0 : before - 1;
  rows.top = firstChanged > static_cast<std::size_t>(topLine_)
                 ? static_cast<LONG>((firstChanged - static_cast<std::size_t>(topLine_)) * lineHeight_)
                 : 0;
  InvalidateRect(Handle(), &rows, FALSE);
}

void TextMemoView::ScrollTo(int line, int column) {
  const int lastTop = std::max(0, Clamped(memo_.LineCount()) - VisibleRows());
  const int lastLeft = std::max(0, Clamped(memo_.LongestLine()) - VisibleColumns());
  line = std::clamp(line, 0, lastTop);
  column = std::clamp(column, 0, lastLeft);
  if (line == topLine_ && column == leftColumn_) return;
  topLine_ = line;
  leftColumn_ = column;
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
  PlaceCaret();
}

void TextMemoView::Scrolled(int bar, int request) {
  const bool vertical = bar == SB_VERT;
  const int page = vertical ? VisibleRows() : VisibleColumns();
  const int now = vertical ? topLine_ : leftColumn_;
  int next = now;
  switch (request) {
    case SB_LINEUP: next = now - 1; break;
    case SB_LINEDOWN: next = now + 1; break;
    case SB_PAGEUP: next = now - page; break;
    case SB_PAGEDOWN: next = now + page; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = INT_MAX; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(Handle(), bar, &info);  // 32 bits, beyond the message's 16
      next = info.nTrackPos;
      break;
    }
    default: return;
  }
  if (vertical)
    ScrollTo(next, leftColumn_);
  else
    ScrollTo(topLine_, next);
}

void TextMemoView::Paint() const {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Handle(), &paint);
  const HGDIOBJ old = SelectObject(dc, font_);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  RECT client;
  GetClientRect(Handle(), &client);
  const int firstRow = paint.rcPaint.top / lineHeight_;
  const int lastRow = (paint.rcPaint.bottom + lineHeight_ - 1) / lineHeight_;
  const std::size_t lines = memo_.LineCount();
  for (int row = firstRow; row < lastRow; ++row) {
    RECT band{client.left, row * lineHeight_, client.right, (row + 1) * lineHeight_};
    const std::size_t index = static_cast<std::size_t>(topLine_) + static_cast<std::size_t>(row);
    std::string_view line = index < lines ? memo_.Line(index) : std::string_view();
    const std::size_t left = std::min<std::size_t>(line.size(), static_cast<std::size_t>(leftColumn_));
    line = line.substr(left, static_cast<std::size_t>(VisibleColumns()) + 1);
    ExtTextOutA(dc, kMargin, band.top, ETO_OPAQUE | ETO_CLIPPED, &band, line.data(), static_cast<UINT>(line.size()),
                nullptr);
    if (!focused_) continue;  // as an edit control, the selection shows only with the focus
    auto [from, to] = selection_.SelectedColumns(index);
    from = std::clamp(from, left, left + line.size());
    to = std::clamp(to, left, left + line.size());
    if (from == to) continue;
    const int x = kMargin + static_cast<int>(from - left) * charWidth_;
    RECT selected{x, band.top, x + static_cast<int>(to - from) * charWidth_, band.bottom};
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    ExtTextOutA(dc, x, band.top, ETO_OPAQUE | ETO_CLIPPED, &selected, line.data() + (from - left),
                static_cast<UINT>(to - from), nullptr);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  }
  SelectObject(dc, old);
  EndPaint(Handle(), &paint);
}

LRESULT TextMemoView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_SIZE:
      ScrollTo(topLine_, leftColumn_);
      UpdateScrollBars();
      return 0;
    case WM_VSCROLL: Scrolled(SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: Scrolled(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(topLine_ - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelLines / WHEEL_DELTA, leftColumn_);
      return 0;
    case WM_LBUTTONDOWN: MouseDown(lParam, (wParam & MK_SHIFT) != 0); return 0;
    case WM_MOUSEMOVE:
      if ((wParam & MK_LBUTTON) && GetCapture() == Handle()) MouseMoved(lParam);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      return 0;
    case WM_CONTEXTMENU: ShowContextMenu(lParam); return 0;
    case WM_SETFOCUS:
      focused_ = true;
      CreateCaret(Handle(), nullptr, 1, lineHeight_);
      PlaceCaret();
      ShowCaret(Handle());
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      DestroyCaret();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      // Not DLGC_HASSETSEL: the dialog keys would select all by reading the whole text.
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: KeyDown(wParam); return 0;
    case EM_GETSEL:
    case EM_SETSEL:
    case WM_COPY: return SelectionMessage(message, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(Clamped(memo_.Text().size()));
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const std::size_t copied = std::min<std::size_t>(memo_.Text().size(), wParam - 1);
      std::memcpy(reinterpret_cast<char*>(lParam), memo_.Text().data(), copied);
      reinterpret_cast<char*>(lParam)[copied] = '\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_SETTEXT: return TRUE;  // the model holds the text
    case WM_DESTROY:
      memo_.redraw = nullptr;
      memo_.appended = nullptr;
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

void TextMemoView::KeyDown(WPARAM key) {
  const bool shift = KeyIsDown(VK_SHIFT);
  const bool control = KeyIsDown(VK_CONTROL);
  const auto move = [this, shift](CaretMove to) {
    selection_.Move(to, shift, static_cast<std::size_t>(VisibleRows()));
    SelectionChanged();
  };
  switch (key) {
    case VK_LEFT: return move(CaretMove::Left);
    case VK_RIGHT: return move(CaretMove::Right);
    case VK_UP: return move(CaretMove::Up);
    case VK_DOWN: return move(CaretMove::Down);
    case VK_PRIOR: return move(CaretMove::PageUp);
    case VK_NEXT: return move(CaretMove::PageDown);
    case VK_HOME: return move(control ? CaretMove::TextStart : CaretMove::LineStart);
    case VK_END: return move(control ? CaretMove::TextEnd : CaretMove::LineEnd);
    case 'A':
      if (!control) break;
      selection_.SelectAll();
      InvalidateRect(Handle(), nullptr, FALSE);
      PlaceCaret();
      return;
    case 'C':
    case VK_INSERT:
      if (control) return Copy();
      break;
    default: break;
  }
  if (onKey) onKey(static_cast<int>(key));
}

void TextMemoView::MouseDown(LPARAM point, bool extend) {
  SetFocus(Handle());
  SetCapture(Handle());
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const DWORD now = GetMessageTime();
  const bool twice = now - lastClickTime_ <= GetDoubleClickTime() &&
                     std::abs(at.x - lastClick_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                     std::abs(at.y - lastClick_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  lastClickTime_ = twice ? 0 : now;  // a third click starts again
  lastClick_ = at;
  MouseMoved(point);
  if (twice && !extend) {
    selection_.SelectWord(selection_.CaretLine(), selection_.CaretColumn());
    SelectionChanged();
    return;
  }
  if (!extend) selection_.Place(selection_.CaretLine(), selection_.CaretColumn(), false);
  SelectionChanged();
}

void TextMemoView::MouseMoved(LPARAM point) {
  // Above or left of the memo counts as the line or column before the first in sight.
  const int y = GET_Y_LPARAM(point);
  const int x = GET_X_LPARAM(point) - kMargin;
  const int row = y < 0 ? -1 : y / lineHeight_;
  const int column = x < 0 ? -1 : (x + charWidth_ / 2) / charWidth_;
  const auto line = static_cast<long long>(topLine_) + row;
  const auto at = static_cast<long long>(leftColumn_) + column;
  selection_.Place(static_cast<std::size_t>(std::max(0LL, line)), static_cast<std::size_t>(std::max(0LL, at)), true);
  SelectionChanged();
}

void TextMemoView::SelectionChanged() {
  const int line = Clamped(selection_.CaretLine());
  const int column = Clamped(selection_.CaretColumn());
  const int rows = VisibleRows();
  const int columns = VisibleColumns();
  const int top = line < topLine_ ? line : line >= topLine_ + rows ? line - rows + 1 : topLine_;
  const int left = column < leftColumn_ ? column : column >= leftColumn_ + columns ? column - columns + 1 : leftColumn_;
  ScrollTo(top, left);
  InvalidateRect(Handle(), nullptr, FALSE);
  PlaceCaret();
}

void TextMemoView::PlaceCaret() const {
  if (!focused_) return;
  const long long row = static_cast<long long>(selection_.CaretLine()) - topLine_;
  const long long column = static_cast<long long>(selection_.CaretColumn()) - leftColumn_;
  // Out of sight it is put just outside the memo, where it does not show.
  const auto bounded = [](long long value) { return static_cast<int>(std::clamp<long long>(value, -2, 0x7FFF)); };
  SetCaretPos(bounded(kMargin + column * charWidth_), bounded(row * lineHeight_));
}

void TextMemoView::ShowContextMenu(LPARAM screenPoint) {
  SetFocus(Handle());
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (screenPoint == -1) {  // from the keyboard: at the caret
    GetCaretPos(&at);
    at.y += lineHeight_;
    ClientToScreen(Handle(), &at);
  }
  const UniqueMenu menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING | (selection_.Empty() ? MF_GRAYED : 0), kCopyCommand, "&Copy");
  AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu.get(), MF_STRING | (selection_.AllSelected() ? MF_GRAYED : 0), kSelectAllCommand, "Select &All");
  // The menu runs the messages meanwhile: the selection is read again after it.
  const auto command = static_cast<UINT>(TrackPopupMenu(
      menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, Handle(), nullptr));
  if (command == kCopyCommand) {
    Copy();
  } else if (command == kSelectAllCommand) {
    selection_.SelectAll();
    InvalidateRect(Handle(), nullptr, FALSE);
    PlaceCaret();
  }
}

void TextMemoView::Copy() {
  if (selection_.Empty()) return;
  const std::string failure = PutTextOnClipboard(Handle(), selection_.Selected());
  if (!failure.empty() && onCopyFailed) onCopyFailed(failure);
}

LRESULT TextMemoView::SelectionMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case EM_GETSEL: {
      const auto start = static_cast<DWORD>(std::min<std::size_t>(selection_.Start(), MAXDWORD));
      const auto end = static_cast<DWORD>(std::min<std::size_t>(selection_.End(), MAXDWORD));
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
      return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL: {
      // As the edit control: a start of -1 drops the selection, an end of -1 is the end of the text.
      const auto position = [](WPARAM value) {
        return static_cast<INT_PTR>(value) < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(value);
      };
      const std::size_t start = position(wParam);
      const std::size_t end = position(static_cast<WPARAM>(lParam));
      if (start == static_cast<std::size_t>(-1))
        selection_.Set(selection_.End(), selection_.End());
      else
        selection_.Set(start, end);
      InvalidateRect(Handle(), nullptr, FALSE);
      PlaceCaret();
      return 0;
    }
    default:  // WM_COPY
      Copy();
      return 0;
  }
}

}  // namespace vandrel
