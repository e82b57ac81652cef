#include "viewer/win32/TextMemoView.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace vandrel {
namespace {

constexpr int kMargin = 2;
constexpr int kWheelLines = 3;

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
  Window::Create({instance, kTextMemoClass, nullptr, LoadCursor(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
                 placement);
  SetWindowLongPtrA(Handle(), GWLP_ID, id);
  Measure();
  memo_.redraw = [this] {
    ScrollTo(0, 0);
    drawnLines_ = memo_.LineCount();
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, TRUE);
  };
  memo_.appended = [this] { Grown(); };
  memo_.redraw();
}

void TextMemoView::Measure() {
  const HDC dc = GetDC(Handle());
  const HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
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
  if (vertical) ScrollTo(next, leftColumn_);
  else ScrollTo(topLine_, next);
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
    line = line.substr(std::min<std::size_t>(line.size(), static_cast<std::size_t>(leftColumn_)));
    line = line.substr(0, static_cast<std::size_t>(VisibleColumns()) + 1);
    ExtTextOutA(dc, kMargin, band.top, ETO_OPAQUE | ETO_CLIPPED, &band, line.data(), static_cast<UINT>(line.size()),
                nullptr);
  }
  SelectObject(dc, old);
  EndPaint(Handle(), &paint);
}

LRESULT TextMemoView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SIZE:
      ScrollTo(topLine_, leftColumn_);
      UpdateScrollBars();
      return 0;
    case WM_VSCROLL:
      Scrolled(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      Scrolled(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(topLine_ - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelLines / WHEEL_DELTA, leftColumn_);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(Handle());
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_UP: ScrollTo(topLine_ - 1, leftColumn_); break;
        case VK_DOWN: ScrollTo(topLine_ + 1, leftColumn_); break;
        case VK_PRIOR: ScrollTo(topLine_ - VisibleRows(), leftColumn_); break;
        case VK_NEXT: ScrollTo(topLine_ + VisibleRows(), leftColumn_); break;
        case VK_HOME: ScrollTo(0, 0); break;
        case VK_END: ScrollTo(INT_MAX, leftColumn_); break;
        case VK_LEFT: ScrollTo(topLine_, leftColumn_ - 1); break;
        case VK_RIGHT: ScrollTo(topLine_, leftColumn_ + 1); break;
        default:
          if (onKey) onKey(static_cast<int>(wParam));
      }
      return 0;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Clamped(memo_.Text().size()));
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const std::size_t copied = std::min<std::size_t>(memo_.Text().size(), wParam - 1);
      std::memcpy(reinterpret_cast<char*>(lParam), memo_.Text().data(), copied);
      reinterpret_cast<char*>(lParam)[copied] = '\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_SETTEXT:
      return TRUE;  // the model holds the text
    case WM_DESTROY:
      memo_.redraw = nullptr;
      memo_.appended = nullptr;
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace vandrel
