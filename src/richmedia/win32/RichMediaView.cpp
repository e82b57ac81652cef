#include "richmedia/win32/RichMediaView.h"

#include "ui/win32/ModalForm.h"

#include "resources/resource.h"
#include "resources/richmedia/richmedia_ids.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/OwnerActivation.h"

namespace vandrel {
namespace {

// Not WS_CLIPCHILDREN: group boxes leave their inside to the form's background.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 402;
constexpr int kClientHeight = 241;
constexpr int kPictureSize = 32;

// "&Close" is the cancel button (Esc) and, through DM_GETDEFID, the default one (Enter).
constexpr int kCloseId = IDCANCEL;
constexpr int kMonitorId = 380;
constexpr int kPictureId = 370;
constexpr int kAdvertizingBoxId = 300;
constexpr int kProfilesId = 360;  // its items follow
// A switch's group box is 300 + 10 * tag; its "Yes" and "No" follow.
constexpr int SwitchId(int tag) { return kAdvertizingBoxId + 10 * tag; }

// The switches in two columns inside "Type of advertizing:": 1 2 / 3 4 / 5;
// the right one is wider for the players' long caption, which it holds whole.
constexpr int kColumnLeft[] = {10, 158};
constexpr int kColumnWidth[] = {144, 236};
constexpr int kRowTop[] = {24, 70, 116};
constexpr int kSwitchHeight = 42;
constexpr int kItemTop = 17;
constexpr int kItemHeight = 18;
// A group's items stand in columns this wide, each a little narrower.
constexpr int kSwitchItemColumn = 70;
constexpr int kProfileItemColumn = 84;
constexpr int kItemGap = 8;

constexpr Place kAdvertizingBox{4, 6, 394, 160};
constexpr Place kProfilesBox{4, 172, 262, 48};
constexpr Place kPicture{274, 186, kPictureSize, kPictureSize};
constexpr Place kMonitorButton{310, 174, 84, 25};
constexpr Place kCloseButton{310, 206, 84, 25};

Place SwitchBox(int tag) {
  const int index = tag - 1;
  return {kColumnLeft[index % 2], kRowTop[index / 2], kColumnWidth[index % 2], kSwitchHeight};
}

// Radio button `item` of the group in `box`, whose own id is `groupId`.
ControlRef Item(const Place& box, int groupId, int item, int column) {
  return ControlRef(groupId + 1 + item,
                    Place{box.left + 10 + item * column, box.top + kItemTop, column - kItemGap, kItemHeight});
}

UniqueIcon LoadPicture(HINSTANCE instance, int id) {
  const int size = DpiScale::Screen()(kPictureSize);
  return UniqueIcon(
      static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

RichMediaView::RichMediaView(TW42VideoBlocker& form, Prompts& prompts) : form_(form) {
  SetErrorReporter(ReportThrough(prompts));
}

RichMediaView::~RichMediaView() {
  // The model outlives this view: it must not draw into it any more.
  form_.Form.redraw = nullptr;
  form_.Image1.redraw = nullptr;
  if (picture_) SendMessageA(picture_, STM_SETICON, 0, 0);
}

void RichMediaView::Create(HINSTANCE instance, HWND owner) {
  const WindowPlacement placement = CentredOwnedPlacement(kStyle, kClientWidth, kClientHeight, owner);
  // The program's icon in the caption: without one Windows draws its generic one there.
  Window::Create({instance, kRichMediaWindowClass, LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON))},
                 placement);
}

void RichMediaView::Show() {
  form_.Form.SetVisible(true);
  ShowAndFocus(Handle());
}

void RichMediaView::ShowModal(HWND owner) {
  modalOwner_ = owner;
  Show();
  RunModalLoop(Handle(), owner, [this] { return form_.Form.Visible(); });
  modalOwner_ = nullptr;
}

LRESULT RichMediaView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case DM_GETDEFID: return MAKELRESULT(kCloseId, DC_HASDEFID);
    case WM_CLOSE: form_.Close(); return 0;
    case WM_QUERYENDSESSION: return TRUE;  // nothing to save: the window consents at once
    case WM_DESTROY:
      binder_.Unbind();
      form_.Form.redraw = nullptr;
      form_.Image1.redraw = nullptr;
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

void RichMediaView::OnCreate() {
  // The monitor's timer runs on the window, seen or not; the controls wait
  // for the first show.
  binder_.Bind(Handle(), {{form_.Timer1}});
  form_.Form.redraw = [this] { DrawForm(); };
  DrawForm();
  form_.FormCreate();
}

void RichMediaView::MakeContents() {
  pictures_[kMonitorOffImage] = LoadPicture(Instance(), IDI_MONITOR_OFF);
  pictures_[kMonitorOnImage] = LoadPicture(Instance(), IDI_MONITOR_ON);
  const HWND frame =
      ResolveControl(Handle(), ControlRef(kAdvertizingBoxId, kAdvertizingBox), ControlKind{"BUTTON", BS_GROUPBOX});
  SetWindowTextA(frame, "Type of advertizing:");
  for (int tag = 1; tag <= kSwitchCount; ++tag) {
    const Place box = SwitchBox(tag);
    const int id = SwitchId(tag);
    binder_.Bind(Handle(), {{form_.Switch(tag),
                             {Item(box, id, 0, kSwitchItemColumn), Item(box, id, 1, kSwitchItemColumn)},
                             ControlRef(id, box)}});
  }
  binder_.Bind(Handle(), {
                             {form_.RadioGroup6,
                              {Item(kProfilesBox, kProfilesId, 0, kProfileItemColumn),
                               Item(kProfilesBox, kProfilesId, 1, kProfileItemColumn),
                               Item(kProfilesBox, kProfilesId, 2, kProfileItemColumn)},
                              ControlRef(kProfilesId, kProfilesBox)},
                             {form_.Button1, ControlRef(kMonitorId, kMonitorButton)},
                             {form_.Button4, ControlRef(kCloseId, kCloseButton)},
                         });
  SendMessageA(GetDlgItem(Handle(), kCloseId), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  picture_ = ResolveControl(Handle(), ControlRef(kPictureId, kPicture), ControlKind{"STATIC", SS_ICON});
  form_.Image1.redraw = [this] { DrawPicture(); };
  DrawPicture();
}

void RichMediaView::DrawForm() {
  if (form_.Form.Visible()) MakeContentsOnce();
  if (!form_.Form.Visible() && IsWindowVisible(Handle())) {
    // Enabled first: a disabled owner cannot take the activation.
    if (modalOwner_) EnableWindow(modalOwner_, TRUE);
    HandActivationToOwner(Handle());
  }
  DrawModalForm(Handle(), form_.Form, modalOwner_);
}

void RichMediaView::DrawPicture() {
  const int index = form_.Image1.ImageIndex();
  const HICON icon = index >= 0 && index < static_cast<int>(pictures_.size()) ? pictures_[index].get() : nullptr;
  SendMessageA(picture_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace vandrel
