#include "allowlist/win32/AllowedListView.h"

#include <commctrl.h>

#include "ui/win32/ControlWindows.h"
#include "ui/win32/ModalForm.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 282;

constexpr int kCloseId = IDCANCEL;  // so Esc presses it
enum ControlId : int {
  kEntriesGroup = 100,
  kEntries,
  kOverrides,
  kKindLabel,
  kKind,
  kTextLabel,
  kEntryText,
  kAdd,
  kChange,
  kRemove,
};

}  // namespace

AllowedListView::AllowedListView(AllowedListDialog& dialog, Prompts& prompts)
    : dialog_(dialog),
      prompts_(prompts),
      keys_([&dialog](int& key) { dialog.EntriesKeyDown(key); },
            [&dialog](char& key) { dialog.EntryTextKeyPress(key); }, ReportThrough(prompts)) {
  SetErrorReporter(ReportThrough(prompts));
}

AllowedListView::~AllowedListView() { Unhook(); }

void AllowedListView::Unhook() {
  // The model outlives this view: it must not draw into it any more.
  dialog_.Form.redraw = nullptr;
  dialog_.Overrides.redraw = nullptr;
}

void AllowedListView::Create(HINSTANCE instance, HWND owner) {
  const WindowPlacement placement =
      CentredOwnedPlacement(kStyle, kClientWidth, kClientHeight, owner, dialog_.Form.Caption().c_str());
  Window::Create({instance, kAllowedListWindowClass}, placement);
}

void AllowedListView::ShowModal(HWND owner) {
  modalOwner_ = owner;
  ShowFormModal(Handle(), dialog_.Form, owner, ReportThrough(prompts_), [this] { dialog_.FormShow(); });
  modalOwner_ = nullptr;
}

LRESULT AllowedListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      dialog_.Form.redraw = [this] { DrawForm(); };
      DrawForm();
      return 0;
    case WM_CLOSE: dialog_.CloseClick(); return 0;
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

void AllowedListView::MakeContents() {
  // Made in tab order; a label comes right before the control its mnemonic focuses.
  const auto make = [this](int id, Place place, const ControlKind& kind, const ControlModel* captioned = nullptr) {
    const HWND control = ResolveControl(Handle(), ControlRef(id, place), kind);
    if (captioned) SetWindowTextA(control, captioned->Caption().c_str());
    return control;
  };
  AllowedListDialog& d = dialog_;
  make(kEntriesGroup, {8, 6, 404, 204}, kGroupBoxKind, &d.EntriesGroup);
  const HWND entries = make(kEntries, {16, 24, 388, 140}, kListBoxKind);
  const HWND overrides = make(kOverrides, {16, 168, 388, 36}, kLabelKind, &d.Overrides);
  make(kKindLabel, {8, 222, 56, 16}, kLabelKind, &d.KindLabel);
  const HWND kind = make(kKind, {66, 218, 110, 120}, kDropDownListKind);
  make(kTextLabel, {186, 222, 40, 16}, kLabelKind, &d.TextLabel);
  const HWND text = make(kEntryText, {228, 218, 184, 21}, kEditKind);
  const HWND add = make(kAdd, {8, 250, 80, 25}, kPushButtonKind);
  const HWND change = make(kChange, {94, 250, 80, 25}, kPushButtonKind);
  const HWND remove = make(kRemove, {180, 250, 80, 25}, kPushButtonKind);
  const HWND close = make(kCloseId, {332, 250, 80, 25}, kPushButtonKind);
  // In bytes: room for characters of two, and for a scheme and path to be cut.
  SendMessageA(text, EM_LIMITTEXT, 2 * kMaxAllowedEntryLength + 200, 0);
  binder_.Bind(Handle(), {
                             {d.Entries, entries},
                             {d.Overrides, overrides},
                             {d.Kind, kind},
                             {d.EntryText, text},
                             {d.Add, add},
                             {d.Change, change},
                             {d.Remove, remove},
                             {d.Close, close},
                         });
  hints_.Create(Handle());
  hints_.Add(entries, d.Entries.Hint());
  keys_.Hook(Handle(), entries, text);
}

void AllowedListView::DrawForm() {
  if (dialog_.Form.Visible()) MakeContentsOnce();
  DrawModalForm(Handle(), dialog_.Form, modalOwner_);
}

}  // namespace vandrel
