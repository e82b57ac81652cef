#include "help/win32/TipView.h"

#include "resources/help/help_ids.h"
#include "resources/resource.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/DpiScale.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kClientWidth = 490;
constexpr int kClientHeight = 297;
constexpr COLORREF kPanelColour = 14745599;  // light yellow

constexpr int kOkId = IDOK;
constexpr int kHelpId = 1100;
constexpr int kHeadingId = 1101;
constexpr int kPanelId = 1102;
constexpr int kBulbId = 1103;
constexpr int kTextId = 1104;
constexpr int kTrayMenuId = 1105;
constexpr int kSeparatorId = 1106;

DialogTemplate TipTemplate() {
  using Item = DialogTemplate::ItemClass;
  DialogTemplate tip(kStyle, "MS Shell Dlg", 8);
  // "&Ok" first: it has the focus at the start.
  tip.AddItem(Item::Button, kOkId, BS_DEFPUSHBUTTON | WS_TABSTOP);
  tip.AddItem(Item::Button, kHelpId, BS_PUSHBUTTON | WS_TABSTOP);
  tip.AddItem(Item::Static, kSeparatorId, SS_ETCHEDHORZ);
  tip.AddItem(Item::Static, kHeadingId, SS_LEFT | SS_NOPREFIX);
  // The panel's children come after it, so they are drawn over it.
  tip.AddItem(Item::Static, kPanelId, SS_SUNKEN);
  tip.AddItem(Item::Static, kBulbId, SS_BITMAP);
  tip.AddItem(Item::Static, kTextId, SS_LEFT | SS_NOPREFIX);
  tip.AddItem(Item::Static, kTrayMenuId, SS_BITMAP);
  return tip;
}

}  // namespace

void TipView::ShowModal(HWND owner) {
  owner_ = owner;
  const DialogTemplate tip = TipTemplate();
  Run(owner, tip.Get());
}

bool TipView::Command(int id, int) {
  if (id != kHelpId) return false;
  form_.Button2Click();
  return true;
}

HBRUSH TipView::StaticColours(int id, HDC dc) {
  if (id != kPanelId && id != kBulbId && id != kTextId && id != kTrayMenuId) return nullptr;
  SetBkColor(dc, kPanelColour);
  return static_cast<HBRUSH>(panelBrush_.get());
}

void TipView::Start() {
  SetWindowTextA(Handle(), kTipCaption);
  // Its single border shows an icon in the caption: the program's, not the
  // system's generic one. Shared icons: never destroyed.
  const auto programIcon = [this](int size) {
    return reinterpret_cast<LPARAM>(
        LoadImageA(instance_, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, LR_SHARED));
  };
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, programIcon(GetSystemMetrics(SM_CXSMICON)));
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, programIcon(GetSystemMetrics(SM_CXICON)));
  PlaceWindow(kClientWidth, kClientHeight, owner_);
  headingFont_ = DerivedFont(true, true, false, "Verdana", -19);
  panelBrush_.reset(CreateSolidBrush(kPanelColour));
  bulb_.reset(LoadScaledBitmap(instance_, IDB_TIP_BULB));
  trayMenu_.reset(LoadScaledBitmap(instance_, IDB_TIP_TRAY_MENU));

  const HWND heading = PlaceControl(kHeadingId, 12, 8, 360, 26, kTipHeading);
  SendMessageA(heading, WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_.get()), FALSE);
  PlaceControl(kPanelId, 12, 40, 370, 247);
  PlaceControl(kBulbId, 22, 50, 23, 31);
  SendDlgItemMessageA(Handle(), kBulbId, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bulb_.get()));
  PlaceControl(kTextId, 54, 50, 318, 56, kTipText);
  PlaceControl(kTrayMenuId, 54, 116, 270, 159);
  SendDlgItemMessageA(Handle(), kTrayMenuId, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(trayMenu_.get()));
  PlaceControl(kOkId, 394, 40, 84, 25, kTipOkCaption);
  PlaceControl(kSeparatorId, 394, 74, 84, 2);
  PlaceControl(kHelpId, 394, 84, 84, 25, kTipHelpCaption);
}

}  // namespace vandrel
