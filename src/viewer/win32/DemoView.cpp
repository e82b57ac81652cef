#include "viewer/win32/DemoView.h"

#include <commctrl.h>

#include "ui/win32/ControlWindows.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/ModalForm.h"
#include "ui/win32/OwnerActivation.h"

namespace vandrel {
namespace {

// A dialog frame: no icon in the caption.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr int kClientWidth = 653;
constexpr int kClientHeight = 368;
constexpr UINT_PTR kIntroductionHook = 1;

// The tool strip, the introduction, the check boxes over their memos, the
// three memos side by side, and the gauge with the stop button at the bottom.
constexpr int kToolHeight = 26;
constexpr Place kViewButton{2, 2, 64, 22};
constexpr Place kEraseButton{68, 2, 64, 22};
constexpr Place kExitButton{134, 2, 72, 22};
constexpr RECT kIntroduction{0, 28, kClientWidth, 108};
constexpr int kBoxTop = 112;
constexpr int kMemoTop = 132;
constexpr int kGaugeTop = 348;
constexpr int kStopWidth = 22;
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

// Memo `index`'s column: the width split in three.
RECT Column(int index, int top, int bottom) {
  const int left = kClientWidth * index / 3;
  const int right = kClientWidth * (index + 1) / 3;
  return {left, top, right, bottom};
}

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
  const WindowPlacement placement = CentredOwnedPlacement(kStyle, kClientWidth, kClientHeight, owner);
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
      Handle(),
      ControlRef(kDemoIntroductionId,
                 Place{kIntroduction.left, kIntroduction.top, kIntroduction.right - kIntroduction.left,
                       kIntroduction.bottom - kIntroduction.top}),
      ControlKind{"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE});
  SetWindowSubclass(introduction_, &DemoView::IntroductionKeys, kIntroductionHook, reinterpret_cast<DWORD_PTR>(this));

  std::array<CheckBox*, 3> boxes{&form_.dHistory, &form_.dCache, &form_.dCookies};
  std::array<TextMemo*, 3> memos{&form_.Memo2, &form_.Memo3, &form_.Memo4};
  for (int index = 0; index < 3; ++index) {
    const RECT column = Column(index, kMemoTop, kGaugeTop - 2);
    memos_[index] = std::make_unique<TextMemoView>(*memos[index]);
    memos_[index]->Create(instance, Handle(), kDemoHistoryMemoId + index, scale(column),
                          static_cast<HFONT>(memoFont_.get()));
    memos_[index]->onKey = [this](int key) { form_.Memo1KeyDown(key); };
    memos_[index]->onCopyFailed = [this](const std::string& reason) {
      prompts_.Message(MessageKind::Error, reason, MessageButtons::Ok);
    };
    binder_.Bind(Handle(), {{*boxes[index], ControlRef(kDemoHistoryBoxId + index,
                                                       Place{static_cast<int>(column.left) + 4, kBoxTop,
                                                             static_cast<int>(column.right - column.left) - 8, 18})}});
  }
  binder_.Bind(Handle(),
               {
                   {form_.ToolButton1, ControlRef(kDemoViewId, kViewButton)},
                   {form_.EraseStuff, ControlRef(kDemoEraseId, kEraseButton)},
                   {form_.ToolButton3, ControlRef(kDemoExitId, kExitButton)},
                   {form_.SpeedButton1, ControlRef(kDemoStopId, Place{kClientWidth - kStopWidth, kGaugeTop, kStopWidth,
                                                                      kClientHeight - kGaugeTop})},
                   {form_.Memo1, ControlRef(introduction_)},
               });
  SetWindowTextA(GetDlgItem(Handle(), kDemoStopId), "X");
  SendMessageA(GetDlgItem(Handle(), kDemoStopId), BM_SETSTYLE, BS_PUSHBUTTON | BS_FLAT, FALSE);
  gauge_ = ResolveControl(
      Handle(),
      ControlRef(kDemoGaugeId, Place{0, kGaugeTop + 2, kClientWidth - kStopWidth - 2, kClientHeight - kGaugeTop - 4}),
      ControlKind{PROGRESS_CLASSA, 0});
  SendMessageA(gauge_, PBM_SETRANGE32, 0, kGaugeSteps);
  ArrangeTabOrder(Handle());
  hints_.Create(Handle());
  hints_.Add(GetDlgItem(Handle(), kDemoEraseId), form_.EraseStuff.Hint());

  form_.Gauge1.redraw = [this] { DrawGauge(); };
  DrawGauge();
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
