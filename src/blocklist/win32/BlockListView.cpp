#include "blocklist/win32/BlockListView.h"

#include "ui/win32/ModalForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Handles.h"
#include "ui/FitLayout.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DeviceContext.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/WorkArea.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kClientWidth = 537;
constexpr int kClientHeight = 412;

// The open windows' frame goes across the top; below it stand two columns:
// the block list's frame, and the keyword and password frames over Hide.
// Where the two do not stand side by side, the second goes below the first.
constexpr int kMargin = 8;
constexpr int kColumnsTop = 166;
constexpr int kFirstColumnWidth = 330;
constexpr int kFirstColumnBottom = 404;
constexpr int kSecondColumnLeft = 346;
constexpr int kSecondColumnWidth = 183;
constexpr int kRowGap = 6;
constexpr int kColumnGap = kSecondColumnLeft - kMargin - kFirstColumnWidth;

// How far the second column moves when it goes below the first.
constexpr int kWrapLeft = kMargin - kSecondColumnLeft;
constexpr int kWrapDown = kFirstColumnBottom + kRowGap - kColumnsTop;

ContentSize ContentFor(bool wrapped) {
  if (!wrapped) return {kClientWidth, kClientHeight};
  return {kMargin + kFirstColumnWidth + kMargin, kClientHeight + kWrapDown};
}

// "&Hide" is the cancel button, so Esc presses it.
constexpr int kHideId = IDCANCEL;
enum ControlId : int {
  kGroupBox1 = 100,
  kListBox1,
  kRefresh,
  kAddToBlackList,
  kGroupBox2 = 200,
  kListBox2,
  kRemove,
  kImport,
  kExport,
  kGroupBox3 = 300,
  kLabel2,
  kKeyword,
  kAddKeyword,
  kGroupBox4 = 400,
  kPassEnabled,
  kLabel1,
  kPassword,
  kSave,
  kRemoveItem = 500,
};

}  // namespace

BlockListView::BlockListView(TForm3& form, Prompts& prompts)
    : form_(form),
      prompts_(prompts),
      keys_([&form](int& key) { form.ListBox2KeyDown(key); }, [&form](char& key) { form.AKWKeyPress(key); },
            ReportThrough(prompts)) {
  SetErrorReporter(ReportThrough(prompts));
}

BlockListView::~BlockListView() {
  // The model outlives this view: it must not draw into it or measure with it any more.
  form_.Form.redraw = nullptr;
  form_.Protection.Label1.redraw = nullptr;
  form_.widestItem = nullptr;
}

void BlockListView::Create(HINSTANCE instance, HWND owner) {
  const SIZE room = DesignedRoom(kStyle, WS_EX_DLGMODALFRAME);
  const auto wrapsIn = [](int width) {
    return ColumnsPerRow({kFirstColumnWidth, kSecondColumnWidth}, kColumnGap, width - 2 * kMargin) == 1;
  };
  const FittedClient fit = FitClient([&](int width) { return ContentFor(wrapsIn(width)); }, room.cx, room.cy,
                                     ClientScroll::DesignedBarWidth());
  wrapped_ = wrapsIn(fit.layoutWidth);
  const WindowPlacement placement =
      CentredOwnedPlacement(kStyle, fit.width, fit.height, owner, form_.Form.Caption().c_str());
  Window::Create({instance, kBlockListWindowClass}, placement);
}

void BlockListView::ShowModal(HWND owner) {
  modalOwner_ = owner;
  ShowFormModal(Handle(), form_.Form, owner, ReportThrough(prompts_), [this] { form_.FormShow(); });
  modalOwner_ = nullptr;
}

LRESULT BlockListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A double-click reaches the binder as just another notification of the list.
  if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == list1_ && HIWORD(wParam) == LBN_DBLCLK) {
    form_.AddToBlackListClick();
    return 0;
  }
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  if (scroll_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != list2_) break;
      ShowContextMenu(lParam);
      return 0;
    case WM_CLOSE: form_.MinimizeClick(); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_DESTROY:
      keys_.Unhook();
      scroll_.Detach();
      binder_.Unbind();
      hints_.Destroy();
      form_.Form.redraw = nullptr;
      form_.Protection.Label1.redraw = nullptr;
      form_.widestItem = nullptr;
      return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

void BlockListView::OnCreate() {
  form_.Form.redraw = [this] { DrawForm(); };
  DrawForm();
}

void BlockListView::MakeContents() {
  // Made in tab order; a label comes right before the control its mnemonic focuses.
  const auto make = [this](int id, Place place, const ControlKind& kind, const ControlModel* captioned = nullptr) {
    const HWND control = ResolveControl(Handle(), ControlRef(id, place), kind);
    if (captioned) SetWindowTextA(control, captioned->Caption().c_str());
    return control;
  };
  // The open windows' list is as wide as the content; the second column
  // moves below the first when they are wrapped.
  const int narrower = kClientWidth - ContentFor(wrapped_).width;
  const auto across = [narrower](Place place) {
    return Place{place.left, place.top, place.width - narrower, place.height};
  };
  const auto second = [this](Place place) {
    return wrapped_ ? Place{place.left + kWrapLeft, place.top + kWrapDown, place.width, place.height} : place;
  };
  TForm3& f = form_;
  BlockListPassword& p = f.Protection;
  make(kGroupBox1, across({8, 6, 521, 154}), kGroupBoxKind, &f.GroupBox1);
  list1_ = make(kListBox1, across({16, 24, 505, 98}), kListBoxKind);
  const HWND refresh = make(kRefresh, {16, 127, 120, 25}, kPushButtonKind);
  const HWND add = make(kAddToBlackList, {142, 127, 130, 25}, kPushButtonKind);
  make(kGroupBox2, {8, 166, 330, 238}, kGroupBoxKind, &f.GroupBox2);
  list2_ = make(kListBox2, {16, 184, 314, 180}, kListBoxKind);  // shown in the model's order, which is sorted
  const HWND remove = make(kRemove, {16, 370, 140, 25}, kPushButtonKind);
  const HWND import = make(kImport, {162, 370, 80, 25}, kPushButtonKind);
  const HWND exportButton = make(kExport, {248, 370, 82, 25}, kPushButtonKind);
  make(kGroupBox3, second({346, 166, 183, 96}), kGroupBoxKind, &f.GroupBox3);
  make(kLabel2, second({356, 182, 165, 28}), kLabelKind, &f.Label2);
  keyword_ = make(kKeyword, second({356, 210, 165, 21}), kEditKind);
  const HWND addKeyword = make(kAddKeyword, second({446, 234, 75, 23}), kPushButtonKind);
  make(kGroupBox4, second({346, 268, 183, 104}), kGroupBoxKind, &f.GroupBox4);
  const HWND passEnabled = make(kPassEnabled, second({356, 286, 165, 18}), kLeftTextCheckBoxKind);
  label1_ = make(kLabel1, second({356, 306, 165, 16}), kLabelKind, &p.Label1);
  const HWND password = make(kPassword, second({356, 322, 165, 21}), kPasswordEditKind);
  SendMessageA(password, EM_SETPASSWORDCHAR, '*', 0);
  const HWND save = make(kSave, second({356, 346, 165, 23}), kPushButtonKind);
  const HWND hide = make(kHideId, second({446, 378, 83, 25}), kPushButtonKind);

  binder_.Bind(Handle(), {
                             {f.ListBox1, list1_},
                             {f.Refresh, refresh},
                             {f.AddToBlackList, add},
                             {f.ListBox2, list2_},
                             {f.RemoveFromBlackList, remove},
                             {f.Import, import},
                             {f.Export, exportButton},
                             {f.AKW, keyword_},
                             {f.AddKeyword, addKeyword},
                             {p.PassEnabled, passEnabled},
                             {p.Password, password},
                             {p.Save, save},
                             {f.Minimize, hide},
                         });
  keys_.Hook(Handle(), list2_, keyword_);
  p.Label1.redraw = [this] { DrawState(label1_, form_.Protection.Label1); };
  DrawState(label1_, p.Label1);
  f.widestItem = [this](const ListBox& box, const std::vector<std::string>& items) { return WidestItem(box, items); };
  AddHints();
  scroll_.Attach(Handle(), DpiScale::Screen()(ContentFor(wrapped_).height));
}

void BlockListView::AddHints() {
  hints_.Create(Handle());
  hints_.Add(list1_, form_.ListBox1.Hint());
  hints_.Add(list2_, form_.ListBox2.Hint());
}

void BlockListView::DrawForm() {
  if (form_.Form.Visible()) MakeContentsOnce();
  DrawModalForm(Handle(), form_.Form, modalOwner_);
}

void BlockListView::ShowContextMenu(LPARAM where) {
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: below the list's corner
    at = {0, 0};
    ClientToScreen(list2_, &at);
  }
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  AppendMenuA(menu.get(), MF_STRING, kRemoveItem, form_.Remove1.Caption().c_str());
  const auto chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  if (chosen == kRemoveItem) form_.Remove1.Click();
}

int BlockListView::WidestItem(const ListBox& box, const std::vector<std::string>& items) const {
  const HWND list = &box == &form_.ListBox1 ? list1_ : list2_;
  const WindowDc dc(list);
  const SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
  // One text-extent call per item is far too slow for a list of a hundred
  // thousand entries; the extent of a text without kerning is the sum of
  // its characters' advance widths, read once for the font.
  int advance[256] = {};
  if (!GetCharWidth32A(dc.Get(), 0, 255, advance)) {
    int widest = 0;
    for (const std::string& item : items) {
      SIZE size{};
      GetTextExtentPoint32A(dc.Get(), item.c_str(), static_cast<int>(item.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest;
  }
  int widest = 0;
  for (const std::string& item : items) {
    int width = 0;
    for (const char c : item) width += advance[static_cast<unsigned char>(c)];
    widest = std::max(widest, width);
  }
  return widest;
}

}  // namespace vandrel
