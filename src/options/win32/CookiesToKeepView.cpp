#include "options/win32/CookiesToKeepView.h"

#include "ui/win32/ControlWindows.h"
#include "ui/win32/ModalForm.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 250;
constexpr int kListWidth = 160;
constexpr int kListTop = 24;
constexpr int kListHeight = 148;
constexpr int kKeptLeft = kClientWidth - 8 - kListWidth;

constexpr int kOkId = IDOK;          // Enter
constexpr int kCancelId = IDCANCEL;  // Esc
enum ControlId : int {
  kPresentLabel = 100,
  kPresent,
  kKeep,
  kRemove,
  kKeptLabel,
  kKept,
  kTypedLabel,
  kTyped,
  kAdd,
};

}  // namespace

CookiesToKeepView::CookiesToKeepView(CookiesToKeepDialog& dialog, Prompts& prompts)
    : dialog_(dialog),
      prompts_(prompts),
      keys_([&dialog](int& key) { dialog.KeptKeyDown(key); }, [&dialog](char& key) { dialog.TypedKeyPress(key); },
            ReportThrough(prompts)) {
  SetErrorReporter(ReportThrough(prompts));
}

CookiesToKeepView::~CookiesToKeepView() { Unhook(); }

void CookiesToKeepView::Unhook() {
  // The model outlives this view: it must not draw into it any more.
  dialog_.Form.redraw = nullptr;
}

void CookiesToKeepView::Create(HINSTANCE instance, HWND owner) {
  const WindowPlacement placement =
      CentredOwnedPlacement(kStyle, kClientWidth, kClientHeight, owner, dialog_.Form.Caption().c_str());
  Window::Create({instance, kCookiesToKeepWindowClass}, placement);
}

void CookiesToKeepView::ShowModal(HWND owner) {
  modalOwner_ = owner;
  ShowFormModal(Handle(), dialog_.Form, owner, ReportThrough(prompts_), [] {});
  modalOwner_ = nullptr;
}

LRESULT CookiesToKeepView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      dialog_.Form.redraw = [this] { DrawForm(); };
      DrawForm();
      return 0;
    case DM_GETDEFID: return MAKELRESULT(kOkId, DC_HASDEFID);
    case WM_CLOSE: dialog_.CancelClick(); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_DESTROY:
      keys_.Unhook();
      binder_.Unbind();
      hints_.Destroy();
      Unhook();
      return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

void CookiesToKeepView::MakeContents() {
  // Made in tab order; a label comes right before the control its mnemonic focuses.
  const auto make = [this](int id, Place place, const ControlKind& kind, const ControlModel* captioned = nullptr) {
    const HWND control = ResolveControl(Handle(), ControlRef(id, place), kind);
    if (captioned) SetWindowTextA(control, captioned->Caption().c_str());
    return control;
  };
  CookiesToKeepDialog& d = dialog_;
  constexpr int kMiddleLeft = 8 + kListWidth + 8;
  constexpr int kMiddleWidth = kKeptLeft - 8 - kMiddleLeft;
  make(kPresentLabel, {8, 8, kListWidth, 14}, kLabelKind, &d.PresentLabel);
  const HWND present = make(kPresent, {8, kListTop, kListWidth, kListHeight}, kListBoxKind);
  const HWND keep = make(kKeep, {kMiddleLeft, 70, kMiddleWidth, 25}, kPushButtonKind);
  const HWND remove = make(kRemove, {kMiddleLeft, 102, kMiddleWidth, 25}, kPushButtonKind);
  make(kKeptLabel, {kKeptLeft, 8, kListWidth, 14}, kLabelKind, &d.KeptLabel);
  const HWND kept = make(kKept, {kKeptLeft, kListTop, kListWidth, kListHeight}, kListBoxKind);
  constexpr int kTypedTop = kListTop + kListHeight + 12;
  make(kTypedLabel, {8, kTypedTop + 3, 70, 14}, kLabelKind, &d.TypedLabel);
  const HWND typed = make(kTyped, {80, kTypedTop, kClientWidth - 80 - 8 - 80 - 6, 21}, kEditKind);
  const HWND add = make(kAdd, {kClientWidth - 8 - 80, kTypedTop - 1, 80, 23}, kPushButtonKind);
  constexpr int kButtonsTop = kClientHeight - 8 - 25;
  const HWND ok = make(kOkId, {kClientWidth - 8 - 2 * 80 - 6, kButtonsTop, 80, 25}, kPushButtonKind);
  const HWND cancel = make(kCancelId, {kClientWidth - 8 - 80, kButtonsTop, 80, 25}, kPushButtonKind);
  // A host name is at most 253 characters.
  SendMessageA(typed, EM_LIMITTEXT, 253, 0);
  binder_.Bind(Handle(), {
                             {d.Present, present},
                             {d.Keep, keep},
                             {d.Remove, remove},
                             {d.Kept, kept},
                             {d.Typed, typed},
                             {d.Add, add},
                             {d.OK, ok},
                             {d.Cancel, cancel},
                         });
  hints_.Create(Handle());
  hints_.Add(kept, d.Kept.Hint());
  keys_.Hook(Handle(), kept, typed);
}

void CookiesToKeepView::DrawForm() {
  if (dialog_.Form.Visible()) MakeContentsOnce();
  DrawModalForm(Handle(), dialog_.Form, modalOwner_);
}

}  // namespace vandrel
