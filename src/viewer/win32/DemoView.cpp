#include "viewer/win32/DemoView.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/win32/ControlWindows.h"
#include "ui/win32/DeviceContext.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/ModalForm.h"
#include "ui/win32/OwnerActivation.h"
#include "ui/win32/WorkArea.h"

namespace vandrel {
namespace {

// A dialog frame: no icon in the caption.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr UINT_PTR kIntroductionHook = 1;

// The tool strip's buttons; the other parts are placed by the layout.
constexpr Place kViewButton{2, 2, 64, 22};
constexpr Place kEraseButton{68, 2, 64, 22};
constexpr Place kExitButton{134, 2, 72, 22};
constexpr int kGaugeSteps = 10000;

// Tab and Shift+Tab go through the controls in this order: the tool
// strip, the introduction, the check boxes, the memos, the stop button.
constexpr int kTabOrder[] = {kDemoViewId,
                             kDemoEraseId,
                             kDemoExitId,
                             kDemoIntroductionId,
                             kDemoHistoryBoxId,
                             kDemoHistoryBoxId + 1,
                             kDemoHistoryBoxId + 2,
                             kDemoHistoryMemoId,
                             kDemoHistoryMemoId + 1,
                             kDemoHistoryMemoId + 2,
                             kDemoStopId};

// The dialog keys follow the controls' z-order: each goes below the one before.
void ArrangeTabOrder(HWND window) {
  for (const int id : kTabOrder) {
    SetWindowPos(GetDlgItem(window, id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// The width of `text` in the controls' font, in designed pixels.
int DesignedTextWidth(const std::string& text) {
  const WindowDc dc(nullptr);
  const SelectedObject font(dc.Get(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return DpiScale::Screen().Designed(size.cx);
}

Place PlaceOf(const Extent& extent) { return {extent.left, extent.top, extent.width, extent.height}; }

}  // namespace

DemoView::DemoView(TDemo& form, Prompts& prompts) : form_(form), prompts_(prompts) {
  SetErrorReporter(ReportThrough(prompts));
}

DemoView::~DemoView() {
  form_.Form.redraw = nullptr;
  form_.Form.activate = nullptr;
  form_.Gauge1.redraw = nullptr;
  form_.hourglass = nullptr;
}

void DemoView::Create(HINSTANCE instance, HWND owner) {
  std::vector<int> columnWidths;
  for (const CheckBox* box : {&form_.dHistory, &form_.dCache, &form_.dCookies}) {
    columnWidths.push_back(DemoLayout::ColumnWidthFor(DesignedTextWidth(box->Caption())));
  }
  constexpr int kWidth = DemoLayout::kDesignedWidth, kHeight = DemoLayout::kDesignedHeight;
  const SIZE room = DesignedRoom(kStyle, WS_EX_DLGMODALFRAME);
  const FittedClient fit = FitClient(
      [&](int width) {
        const DemoLayout layout(width, std::min<int>(kHeight, room.cy), columnWidths);
        return ContentSize{layout.Width(), layout.Height()};
      },
      std::min<int>(kWidth, room.cx), room.cy, ClientScroll::DesignedBarWidth());
  layout_ = DemoLayout(fit.layoutWidth, fit.scrolls ? 0 : fit.height, columnWidths);
  const WindowPlacement placement = CentredOwnedPlacement(kStyle, fit.width, fit.height, owner);
  Window::Create({instance, kDemoWindowClass}, placement);
  form_.Form.redraw = [this] { DrawForm(); };
  form_.Form.activate = [this] { SetForegroundWindow(Handle()); };
  form_.hourglass = [this](bool busy) { SetHourglass(busy); };
  DrawForm();
  form_.FormCreate();
}

void DemoView::MakeContents() {
  const HINSTANCE instance = Instance();
  const DpiScale& scale = DpiScale::Screen();
  memoFont_ =
      UniqueGdiObject(CreateFontA(scale(-12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
  introduction_ = ResolveControl(
      Handle(), ControlRef(kDemoIntroductionId, PlaceOf(layout_.Introduction())),
      ControlKind{"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE});
  SetWindowSubclass(introduction_, &DemoView::IntroductionKeys, kIntroductionHook, reinterpret_cast<DWORD_PTR>(this));

  std::array<CheckBox*, 3> boxes{&form_.dHistory, &form_.dCache, &form_.dCookies};
  std::array<TextMemo*, 3> memos{&form_.Memo2, &form_.Memo3, &form_.Memo4};
  for (int index = 0; index < 3; ++index) {
    const Extent memo = layout_.Memo(index);
    memos_[index] = std::make_unique<TextMemoView>(*memos[index]);
    memos_[index]->Create(instance, Handle(), kDemoHistoryMemoId + index,
                          scale(RECT{memo.left, memo.top, memo.left + memo.width, memo.top + memo.height}),
                          static_cast<HFONT>(memoFont_.get()));
    memos_[index]->onKey = [this](int key) { form_.Memo1KeyDown(key); };
    memos_[index]->onCopyFailed = [this](const std::string& reason) {
      prompts_.Message(MessageKind::Error, reason, MessageButtons::Ok);
    };
    binder_.Bind(Handle(), {{*boxes[index], ControlRef(kDemoHistoryBoxId + index, PlaceOf(layout_.Box(index)))}});
  }
  binder_.Bind(Handle(), {
                             {form_.ToolButton1, ControlRef(kDemoViewId, kViewButton)},
                             {form_.EraseStuff, ControlRef(kDemoEraseId, kEraseButton)},
                             {form_.ToolButton3, ControlRef(kDemoExitId, kExitButton)},
                             {form_.SpeedButton1, ControlRef(kDemoStopId, PlaceOf(layout_.Stop()))},
                             {form_.Memo1, ControlRef(introduction_)},
                         });
  SetWindowTextA(GetDlgItem(Handle(), kDemoStopId), "X");
  SendMessageA(GetDlgItem(Handle(), kDemoStopId), BM_SETSTYLE, BS_PUSHBUTTON | BS_FLAT, FALSE);
  gauge_ =
      ResolveControl(Handle(), ControlRef(kDemoGaugeId, PlaceOf(layout_.Gauge())), ControlKind{PROGRESS_CLASSA, 0});
  SendMessageA(gauge_, PBM_SETRANGE32, 0, kGaugeSteps);
  ArrangeTabOrder(Handle());
  hints_.Create(Handle());
  hints_.Add(GetDlgItem(Handle(), kDemoEraseId), form_.EraseStuff.Hint());

  form_.Gauge1.redraw = [this] { DrawGauge(); };
  DrawGauge();
  scroll_.Attach(Handle(), scale(layout_.Height()));
}

void DemoView::DrawForm() {
  if (form_.Form.Visible()) MakeContentsOnce();
  SetTextIfChanged(Handle(), form_.Form.Caption());
  const bool visible = IsWindowVisible(Handle()) != FALSE;
  if (visible == form_.Form.Visible()) return;
  if (!form_.Form.Visible()) {
    HandActivationToOwner(Handle());
    ShowWindow(Handle(), SW_HIDE);
    return;
  }
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  SetFocus(Handle());  // Esc works at once
}

void DemoView::DrawGauge() const {
  const std::size_t max = form_.Gauge1.MaxValue();
  const std::size_t progress = std::min(form_.Gauge1.Progress(), max);
  const auto step = max == 0 ? kGaugeSteps : static_cast<int>(static_cast<double>(progress) * kGaugeSteps / max);
  SendMessageA(gauge_, PBM_SETPOS, static_cast<WPARAM>(step), 0);
}

void DemoView::SetHourglass(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

LRESULT DemoView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  if (scroll_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CLOSE: form_.Close(); return 0;
    case WM_COMMAND:
      // Esc, through the main loop's dialog keys, wherever the focus is.
      if (LOWORD(wParam) == IDCANCEL) form_.Memo1KeyDown(kDemoExitKey);
      return 0;
    case DM_GETDEFID: return FocusedButton();
    case WM_NEXTDLGCTL: MoveFocus(wParam, lParam); return 0;
    case WM_KEYDOWN: form_.Memo1KeyDown(static_cast<int>(wParam)); return 0;
    case WM_LBUTTONDOWN: SetFocus(Handle()); return 0;
    case WM_SETCURSOR:
      if (!busy_) return Default(message, wParam, lParam);
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    case WM_QUERYENDSESSION: return TRUE;  // nothing to save
    case WM_DESTROY:
      RemoveWindowSubclass(introduction_, &DemoView::IntroductionKeys, kIntroductionHook);
      scroll_.Detach();
      binder_.Unbind();
      hints_.Destroy();
      form_.Form.redraw = nullptr;
      form_.Gauge1.redraw = nullptr;
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

LRESULT DemoView::FocusedButton() const {
  // Enter presses the focused button; elsewhere it does nothing.
  const HWND focus = GetFocus();
  if (!focus || !IsChild(Handle(), focus)) return 0;
  if (!(SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return 0;
  return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
}

void DemoView::MoveFocus(WPARAM wParam, LPARAM lParam) {
  // What a dialog does with it; the introduction's edit control asks for it at Tab.
  const HWND focus = GetFocus();
  const HWND next = LOWORD(lParam)
                        ? reinterpret_cast<HWND>(wParam)
                        : GetNextDlgTabItem(Handle(), IsChild(Handle(), focus) ? focus : nullptr, wParam != 0);
  if (next) SetFocus(next);
}

LRESULT CALLBACK DemoView::IntroductionKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    auto* view = reinterpret_cast<DemoView*>(self);
    RunGuarded(view->Handle(), ReportThrough(view->prompts_), 0, [view] {
      view->form_.Memo1KeyDown(kDemoExitKey);
      return 0;
    });
    return 0;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace vandrel
