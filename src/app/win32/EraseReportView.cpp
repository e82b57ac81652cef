#include "app/win32/EraseReportView.h"

#include "platform/win32/WidePath.h"
#include "ui/Prompts.h"
#include "ui/win32/DialogTemplate.h"
#include "viewer/win32/ClipboardText.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
// Designed at 96 DPI; held to a smaller work area, the text gets smaller.
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 400;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

DialogTemplate ReportTemplate() {
  using Item = DialogTemplate::ItemClass;
  DialogTemplate report(kStyle, "MS Shell Dlg", 8);
  report.AddItem(
      Item::Edit, kEraseReportTextId,
      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP);
  report.AddItem(Item::Button, kEraseReportCopyId, BS_PUSHBUTTON | WS_TABSTOP);
  report.AddItem(Item::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP);
  return report;
}

}  // namespace

void EraseReportView::Show(HWND owner, const std::string& title, const std::string& text) {
  title_ = title;
  text_ = WideFromUtf8(text);  // the places are paths in UTF-8, which the ANSI code page cannot all hold
  const DialogTemplate report = ReportTemplate();
  // Made wide: an edit control made by an ANSI call keeps only what the code page holds.
  Run(owner, report.Get(), Characters::Wide);
}

void EraseReportView::Start() {
  SetWindowTextA(Handle(), title_.c_str());
  // On the screen, not the owner: the main window may be wider than a small
  // screen. Where the work area is smaller, the text takes what is left.
  const SIZE client = PlaceWindow(kClientWidth, kClientHeight, nullptr);
  const int width = client.cx, height = client.cy;
  const int buttonTop = height - kMargin - kButtonHeight;
  const HWND text = PlaceControl(kEraseReportTextId, kMargin, kMargin, width - 2 * kMargin, buttonTop - 2 * kMargin);
  SendMessageA(text, EM_SETLIMITTEXT, 0, 0);  // as long as the report is
  SetWindowTextW(text, text_.c_str());
  // The dialog selects the whole text as it focuses it: start at the top, unselected.
  PostMessageA(text, EM_SETSEL, 0, 0);
  PlaceControl(IDOK, width - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight, "Close");
  PlaceControl(kEraseReportCopyId, width - 2 * (kMargin + kButtonWidth), buttonTop, kButtonWidth, kButtonHeight,
               "&Copy");
}

bool EraseReportView::Command(int id, int code) {
  if (id != kEraseReportCopyId || code != BN_CLICKED) return false;
  const std::string failure = PutTextOnClipboard(Handle(), std::wstring_view(text_));
  if (!failure.empty()) MessageBoxA(Handle(), failure.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
  return true;
}

}  // namespace vandrel
