#include "help/win32/AboutView.h"

#include "resources/resource.h"
#include "ui/win32/DialogTemplate.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kClientWidth = 402;
constexpr int kClientHeight = 154;
constexpr RECT kPanel{4, 4, 398, 116};

constexpr int kOkId = IDOK;
constexpr int kPanelId = 1200;
constexpr int kIconId = 1201;
constexpr int kVersionId = 1202;   // Label1
constexpr int kBrowsersId = 1204;  // Label2
constexpr int kHomePageCaptionId = 1206;
constexpr int kMailCaptionId = 1207;

constexpr int kLinkColumn = 136;

DialogTemplate AboutTemplate() {
  using Item = DialogTemplate::ItemClass;
  DialogTemplate about(kStyle, "MS Shell Dlg", 8);
  about.AddItem(Item::Button, kOkId, BS_DEFPUSHBUTTON | WS_TABSTOP);
  // The panel's children come after it, so they are drawn over it.
  about.AddItem(Item::Static, kPanelId, SS_ETCHEDFRAME);
  about.AddItem(Item::Static, kIconId, SS_ICON);
  about.AddItem(Item::Static, kVersionId, SS_LEFT | SS_NOPREFIX);
  about.AddItem(Item::Static, kBrowsersId, SS_LEFT | SS_NOPREFIX);
  about.AddItem(Item::Static, kHomePageCaptionId, SS_LEFTNOWORDWRAP | SS_NOPREFIX);
  about.AddItem(Item::Static, kAboutHomePageId, SS_LEFT | SS_NOPREFIX | SS_NOTIFY);
  about.AddItem(Item::Static, kMailCaptionId, SS_LEFTNOWORDWRAP | SS_NOPREFIX);
  about.AddItem(Item::Static, kAboutMailId, SS_LEFT | SS_NOPREFIX | SS_NOTIFY);
  return about;
}

}  // namespace

void AboutView::Create(HWND owner) {
  const DialogTemplate about = AboutTemplate();
  CreateHidden(owner, about.Get());
  SetWindowTextA(Handle(), kAboutCaption);  // found by its caption from the start
}

bool AboutView::Command(int id, int code) {
  if (code != STN_CLICKED) return false;
  if (id == kAboutHomePageId)
    form_.Label5Click();
  else if (id == kAboutMailId)
    form_.Label3Click();
  else
    return false;
  return true;
}

HBRUSH AboutView::StaticColours(int id, HDC dc) {
  if (id != kAboutHomePageId && id != kAboutMailId) return nullptr;
  SetTextColor(dc, RGB(0, 0, 255));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

void AboutView::Start() {
  PlaceWindow(kClientWidth, kClientHeight, nullptr);
  boldFont_ = DerivedFont(true, false, false);
  linkFont_ = DerivedFont(false, false, false);
  hoveredLinkFont_ = DerivedFont(false, false, true);

  PlaceControl(kPanelId, kPanel.left, kPanel.top, kPanel.right - kPanel.left, kPanel.bottom - kPanel.top);
  PlaceControl(kIconId, 14, 14, 32, 32);
  // Shared with the window class: never destroyed.
  const HICON icon =
      static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
  SendDlgItemMessageA(Handle(), kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  CentreInPanel(kVersionId, kAboutVersion, 16);
  CentreInPanel(kBrowsersId, kAboutBrowsers, 36);
  PlaceControl(kHomePageCaptionId, 60, 66, kLinkColumn - 64, 16, kAboutHomePageCaption);
  PlaceControl(kAboutHomePageId, kLinkColumn, 66, TextWidth(kMakerHomePage, static_cast<HFONT>(linkFont_.get())) + 2,
               16, kMakerHomePage);
  PlaceControl(kMailCaptionId, 60, 88, kLinkColumn - 64, 16, kAboutMailCaption);
  PlaceControl(kAboutMailId, kLinkColumn, 88, TextWidth(kMakerMailShown, static_cast<HFONT>(linkFont_.get())) + 2, 16,
               kMakerMailShown);
  homePage_ = std::make_unique<LinkLabel>(GetDlgItem(Handle(), kAboutHomePageId), static_cast<HFONT>(linkFont_.get()),
                                          static_cast<HFONT>(hoveredLinkFont_.get()));
  mail_ = std::make_unique<LinkLabel>(GetDlgItem(Handle(), kAboutMailId), static_cast<HFONT>(linkFont_.get()),
                                      static_cast<HFONT>(hoveredLinkFont_.get()));
  PlaceControl(kOkId, (kClientWidth - 75) / 2, 123, 75, 25, kAboutOkCaption);
}

void AboutView::CentreInPanel(int id, const char* text, int top) const {
  const HFONT bold = static_cast<HFONT>(boldFont_.get());
  const int width = TextWidth(text, bold);
  const HWND label =
      PlaceControl(id, kPanel.left + CentredLeft(kPanel.right - kPanel.left, width), top, width, 16, text);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
}

}  // namespace vandrel
