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

constexpr UINT_PTR kEntriesHook = 1;
constexpr UINT_PTR kEntryTextHook = 2;

}  // namespace

AllowedListView::AllowedListView(AllowedListDialog& dialog, Prompts& prompts) : dialog_(dialog), prompts_(prompts) {
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
      if (entries_) RemoveWindowSubclass(entries_, &AllowedListView::KeyHook, kEntriesHook);
      if (entryText_) RemoveWindowSubclass(entryText_, &AllowedListView::KeyHook, kEntryTextHook);
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
  SendMessageA(text, EM_LIMITTEXT, kMaxAllowedEntryLength + 200, 0);  // room for a scheme and path to be cut
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
  entries_ = entries;
  entryText_ = text;
  SetWindowSubclass(entries, &AllowedListView::KeyHook, kEntriesHook, reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(text, &AllowedListView::KeyHook, kEntryTextHook, reinterpret_cast<DWORD_PTR>(this));
}

// Del in the list and Enter in the entry go to the model, which may swallow them.
LRESULT CALLBACK AllowedListView::KeyHook(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self) {
  auto& view = *reinterpret_cast<AllowedListView*>(self);
  if (id == kEntryTextHook && message == WM_GETDLGCODE && lParam &&
      reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
    return DLGC_WANTALLKEYS;  // the dialog manager would take Enter for a default button
  }
  const bool textChar = id == kEntryTextHook && message == WM_CHAR;
  const bool listKey = id == kEntriesHook && message == WM_KEYDOWN;
  if (!textChar && !listKey) return DefSubclassProc(control, message, wParam, lParam);
  const WPARAM key = RunGuarded(view.Handle(), ReportThrough(view.prompts_), WPARAM{0}, [&] {
    if (textChar) {
      char typed = static_cast<char>(wParam);
      view.dialog_.EntryTextKeyPress(typed);
      return static_cast<WPARAM>(static_cast<unsigned char>(typed));
    }
    int pressed = static_cast<int>(wParam);
    view.dialog_.EntriesKeyDown(pressed);
    return static_cast<WPARAM>(pressed);
  });
  return key == 0 ? 0 : DefSubclassProc(control, message, key, lParam);
}

void AllowedListView::DrawForm() {
  if (dialog_.Form.Visible()) MakeContentsOnce();
  DrawModalForm(Handle(), dialog_.Form, modalOwner_);
}

}  // namespace vandrel
