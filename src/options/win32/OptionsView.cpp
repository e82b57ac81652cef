#include "options/win32/OptionsView.h"

#include <commctrl.h>

#include <cctype>

#include "resources/options/options_ids.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/ModalForm.h"

namespace vandrel {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kClientWidth = 284;
constexpr int kClientHeight = 308;
constexpr Place kTabs{4, 4, 276, 266};
constexpr int kButtonTop = 278;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kRow = 16;  // one check box line
constexpr int kTestPictureSize = 16;

constexpr int kOkId = IDOK;          // Enter
constexpr int kCancelId = IDCANCEL;  // Esc
enum ControlId : int { kDefaultsId = 100, kTabsId, kFirstPageControl = 1000 };

// The page whose caption marks `key` as its mnemonic ("E&raser": r), or -1.
int PageOfMnemonic(const std::vector<std::string>& pages, WPARAM key) {
  for (std::size_t page = 0; page < pages.size(); ++page) {
    const std::string& caption = pages[page];
    const auto mark = caption.find('&');
    if (mark == std::string::npos || mark + 1 >= caption.size()) continue;
    if (std::toupper(static_cast<unsigned char>(caption[mark + 1])) == std::toupper(static_cast<int>(key))) {
      return static_cast<int>(page);
    }
  }
  return -1;
}

// Makes the controls of one page, in tab order, each with its hint.
class PageBuilder {
 public:
  PageBuilder(HWND page, HintWindow& hints, int& nextId) : page_(page), hints_(hints), nextId_(nextId) {}

  HWND Make(const Place& place, const ControlKind& kind, const ControlModel* hinted = nullptr) {
    const HWND control = ResolveControl(page_, ControlRef(nextId_++, place), kind);
    if (hinted) hints_.Add(control, hinted->Hint());
    return control;
  }
  // The frame that fills the page, less a margin.
  HWND PageFrame() {
    const SIZE size = DesignedClientSize(page_);
    return Make({4, 2, size.cx - 8, size.cy - 6}, kGroupBoxKind);
  }
  // Radio buttons one below the other, or side by side, each with the group's hint.
  std::vector<ControlRef> Radios(const RadioGroup& group, int left, int top, int width, bool sideBySide) {
    std::vector<ControlRef> buttons;
    for (std::size_t item = 0; item < group.Items.size(); ++item) {
      const int offset = static_cast<int>(item);
      const Place place = sideBySide ? Place{left + offset * width, top, width - 6, kRow}
                                     : Place{left, top + offset * (kRow + 2), width, kRow};
      buttons.emplace_back(Make(place, item == 0 ? kFirstRadioKind : kNextRadioKind, &group));
    }
    return buttons;
  }
  int Width() const { return DesignedClientSize(page_).cx; }
  int Height() const { return DesignedClientSize(page_).cy; }

 private:
  HWND page_;
  HintWindow& hints_;
  int& nextId_;
};

}  // namespace

OptionsView::OptionsView(TForm2& form, Prompts& prompts)
    : form_(form), prompts_(prompts), messenger_(form.Messenger, ReportThrough(prompts)) {
  SetErrorReporter(ReportThrough(prompts));
}

OptionsView::~OptionsView() {
  // The model outlives this view: it must not draw into it any more.
  form_.Form.redraw = nullptr;
}

void OptionsView::Create(HINSTANCE instance, HWND owner) {
  const WindowPlacement placement =
      CentredOwnedPlacement(kStyle, kClientWidth, kClientHeight, owner, form_.Form.Caption().c_str());
  Window::Create({instance, kOptionsWindowClass}, placement);
}

void OptionsView::ShowModal(HWND owner) {
  modalOwner_ = owner;
  ShowFormModal(
      Handle(), form_.Form, owner, ReportThrough(prompts_), [this] { form_.FormShow(); },
      [this](const MSG& message) { return PageKeys(message); });
  modalOwner_ = nullptr;
}

LRESULT OptionsView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (binder_.Route(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SETCURSOR:
      if (messenger_.SetCursorForForm()) return TRUE;
      return Default(message, wParam, lParam);
    case DM_GETDEFID: return MAKELRESULT(kOkId, DC_HASDEFID);
    case WM_CLOSE:
      form_.FormClose();  // without reverting
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_DESTROY:
      binder_.Unbind();
      hints_.Destroy();
      form_.Form.redraw = nullptr;
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

void OptionsView::OnCreate() {
  form_.Form.redraw = [this] { DrawForm(); };
  DrawForm();
}

void OptionsView::MakeContents() {
  // Fifty-odd controls cost a fifth of a second under a loaded Wine.
  hints_.Create(Handle());
  tabs_ = ResolveControl(Handle(), ControlRef(kTabsId, kTabs),
                         ControlKind{WC_TABCONTROLA, TCS_MULTILINE | WS_CLIPSIBLINGS | WS_TABSTOP});
  MakePages();
  TForm2& f = form_;
  const auto button = [this](int id, int index, const Button& model) {
    const HWND made = ResolveControl(
        Handle(), ControlRef(id, Place{44 + index * 80, kButtonTop, kButtonWidth, kButtonHeight}), kPushButtonKind);
    hints_.Add(made, model.Hint());
    return made;
  };
  const HWND ok = button(kOkId, 0, f.OK);
  const HWND cancel = button(kCancelId, 1, f.Cancel);
  const HWND defaults = button(kDefaultsId, 2, f.Defaults);
  SendMessageA(ok, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  std::vector<HWND> pageWindows;
  for (const auto& page : pages_) pageWindows.push_back(page->Handle());
  binder_.Bind(Handle(), {
                             {f.PageControl1, ControlRef(tabs_), pageWindows},
                             {f.OK, ControlRef(ok)},
                             {f.Cancel, ControlRef(cancel)},
                             {f.Defaults, ControlRef(defaults)},
                         });
  // Below every page, which lie over its display area.
  SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void OptionsView::MakePages() {
  // The tabs are added first, so that the display area below them is known;
  // a wide font wraps them into a second row rather than hiding one.
  for (const std::string& caption : form_.PageControl1.Pages) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(TabCtrl_GetItemCount(tabs_)),
                 reinterpret_cast<LPARAM>(&item));
  }
  RECT area{};
  GetClientRect(tabs_, &area);
  TabCtrl_AdjustRect(tabs_, FALSE, &area);
  MapWindowPoints(tabs_, Handle(), reinterpret_cast<POINT*>(&area), 2);
  const HINSTANCE instance = Instance();
  for (auto& page : pages_) {
    page = std::make_unique<PageWindow>();
    page->Create(instance, Handle(), area);
  }
  MakePopupPage();
  MakeFlashPage();
  MakeEraserPage();
  MakeMiscPage();
  MakeMessengerPage();
}

void OptionsView::MakePopupPage() {
  TForm2& f = form_;
  int id = kFirstPageControl;
  PageBuilder page(Page(0), hints_, id);
  const HWND frame = page.PageFrame();
  // Wide enough for the focus rectangle around the whole caption.
  const HWND limit = page.Make({14, 20, 176, kRow}, kCheckBoxKind, &f.Limit);
  const HWND maxEdit = page.Make({192, 18, 54, 21}, kNumberEditKind, &f.MaxWindows);
  const HWND maxArrows = page.Make({246, 18, 16, 21}, kUpDownKind, &f.MaxWindows);
  const HWND whenFrame = page.Make({14, 48, 236, 64}, kGroupBoxKind, &f.WhenStarted);
  const auto whenItems = page.Radios(f.WhenStarted, 24, 66, 220, false);
  const HWND intervalFrame = page.Make({14, 120, 236, 46}, kGroupBoxKind, &f.RadioGroup1);
  const auto intervalItems = page.Radios(f.RadioGroup1, 24, 140, 56, true);
  const HWND clickedThrough = page.Make({14, 176, 248, kRow}, kCheckBoxKind, &f.ClickedThrough);
  binder_.Bind(Handle(), {
                             {f.GroupBox1, ControlRef(frame)},
                             {f.Limit, ControlRef(limit)},
                             {f.MaxWindows, ControlRef(maxEdit), ControlRef(maxArrows)},
                             {f.WhenStarted, whenItems, ControlRef(whenFrame)},
                             {f.RadioGroup1, intervalItems, ControlRef(intervalFrame)},
                             {f.ClickedThrough, ControlRef(clickedThrough)},
                         });
}

void OptionsView::MakeFlashPage() {
  TForm2& f = form_;
  int id = kFirstPageControl;
  PageBuilder page(Page(1), hints_, id);
  const HWND frame = page.PageFrame();
  const HWND ban = page.Make({14, 22, 230, kRow}, kCheckBoxKind, &f.BanSelectedS);
  binder_.Bind(Handle(), {{f.GroupBox2, ControlRef(frame)}, {f.BanSelectedS, ControlRef(ban)}});
}

void OptionsView::MakeEraserPage() {
  TForm2& f = form_;
  int id = kFirstPageControl;
  PageBuilder page(Page(2), hints_, id);
  const int width = page.Width();
  constexpr int kEraserRow = 15;  // eleven boxes in three frames on one page
  constexpr int kFrameTitle = 14;
  constexpr int kKeptCookiesWidth = 114;  // "Cookies to keep..." beside the two short boxes at the frame's foot
  const HWND frame = page.PageFrame();
  binder_.Bind(Handle(), {{f.GroupBox3, ControlRef(frame)}});
  // A frame at `place` with `boxes` one below the other; a box's caption may take two lines.
  const auto framed = [&](ControlModel& frameModel, const Place& place, std::initializer_list<CheckBox*> boxes,
                          int boxHeight) {
    binder_.Bind(Handle(), {{frameModel, ControlRef(page.Make(place, kGroupBoxKind))}});
    int top = place.top + kFrameTitle;
    for (CheckBox* box : boxes) {
      const int height = box == &f.All ? boxHeight + kEraserRow - 2 : boxHeight;
      const bool besideButton = box == &f.eBookmarks || box == &f.eLocationBar;
      const Place at{place.left + 6, top, place.width - 10 - (besideButton ? kKeptCookiesWidth + 6 : 0), height};
      binder_.Bind(Handle(),
                   {{*box, ControlRef(page.Make(at, height > kEraserRow ? kTallCheckBoxKind : kCheckBoxKind, box))}});
      top += height;
    }
  };
  constexpr int kIeHeight = kFrameTitle + 7 * kEraserRow;
  // Below the page frame's caption.
  constexpr int kIeTop = 16;
  framed(f.IEFrame, {8, kIeTop, width - 16, kIeHeight},
         {&f.eCache, &f.eCookies, &f.eHistory, &f.All, &f.eBookmarks, &f.eLocationBar}, kEraserRow);
  // Level with the last two boxes, which leave it room.
  const int keptCookiesTop = kIeTop + kFrameTitle + 5 * kEraserRow + 4;
  const HWND keptCookies = page.Make({width - 14 - kKeptCookiesWidth, keptCookiesTop, kKeptCookiesWidth, 23},
                                     kPushButtonKind, &f.KeptCookies);
  binder_.Bind(Handle(), {{f.KeptCookies, ControlRef(keptCookies)}});
  const int lowerTop = kIeTop + kIeHeight + 2;
  const int lowerHeight = page.Height() - lowerTop - 6;
  framed(f.WindowsFrame, {8, lowerTop, 100, lowerHeight}, {&f.eRecent, &f.eTempFolder, &f.eBin}, kEraserRow);
  // The players' captions are long: each may wrap.
  framed(f.MediaFrame, {112, lowerTop, width - 120, lowerHeight}, {&f.eMPlayer, &f.eRealOne},
         (lowerHeight - kFrameTitle - 2) / 2);
}

void OptionsView::MakeMiscPage() {
  TForm2& f = form_;
  int id = kFirstPageControl;
  PageBuilder page(Page(3), hints_, id);
  const int width = page.Width();
  const HWND frame = page.PageFrame();
  binder_.Bind(Handle(), {{f.GroupBox4, ControlRef(frame)}});
  int top = 16;
  for (CheckBox* box : {&f.EOC, &f.AutoStart, &f.WinStart, &f.MinimizeOnStart, &f.SetPage}) {
    const bool twoLines = box == &f.AutoStart;
    const int height = twoLines ? 2 * kRow - 4 : kRow;
    binder_.Bind(Handle(), {{*box, ControlRef(page.Make({12, top, width - 24, height},
                                                        twoLines ? kTallCheckBoxKind : kCheckBoxKind, box))}});
    top += height;
  }
  const HWND homePage = page.Make({28, top + 1, width - 44, 20}, kEditKind, &f.HomePage);
  const HWND sound = page.Make({12, top + 26, width - 24, kRow}, kCheckBoxKind, &f.Sound);
  // The label comes right before the edit its mnemonic focuses.
  const int fileTop = top + 47;
  const HWND label = page.Make({12, fileTop + 3, 62, 14}, kLabelKind, &f.Label1);
  const HWND wavFile = page.Make({76, fileTop, width - 160, 20}, kEditKind, &f.WavFile);
  const HWND select = page.Make({width - 82, fileTop - 1, 44, 22}, kPushButtonKind, &f.SelWavBut);
  // The speaker with the button's edges and focus rectangle around it.
  const HWND test = page.Make({width - 36, fileTop - 2, 24, 24}, kIconPushButtonKind, &f.Test);
  const int pictureSize = DpiScale::Screen()(kTestPictureSize);
  testPicture_.reset(static_cast<HICON>(LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_OPTIONS_TEST), IMAGE_ICON,
                                                   pictureSize, pictureSize, LR_DEFAULTCOLOR)));
  SendMessageA(test, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(testPicture_.get()));
  const int lastTop = fileTop + 28;
  const HWND autoSuggest = page.Make({12, lastTop + 3, width - 124, kRow}, kCheckBoxKind, &f.AutoSuggest);
  const HWND resetWarnings = page.Make({width - 108, lastTop, 96, 23}, kPushButtonKind, &f.Button1);
  binder_.Bind(Handle(), {
                             {f.HomePage, ControlRef(homePage)},
                             {f.Sound, ControlRef(sound)},
                             {f.Label1, ControlRef(label)},
                             {f.WavFile, ControlRef(wavFile)},
                             {f.SelWavBut, ControlRef(select)},
                             {f.Test, ControlRef(test)},
                             {f.AutoSuggest, ControlRef(autoSuggest)},
                             {f.Button1, ControlRef(resetWarnings)},
                         });
}

void OptionsView::MakeMessengerPage() {
  const HINSTANCE instance = Instance();
  messenger_.Create(instance, Handle(), Page(4), binder_);
}

void OptionsView::DrawForm() {
  if (form_.Form.Visible()) MakeContentsOnce();
  DrawModalForm(Handle(), form_.Form, modalOwner_);
}

bool OptionsView::PageKeys(const MSG& message) {
  if (!IsChild(Handle(), message.hwnd) && message.hwnd != Handle()) return false;
  if (message.message == WM_SYSCHAR) {
    const int page = PageOfMnemonic(form_.PageControl1.Pages, message.wParam);
    if (page < 0) return false;
    ChoosePage(page);
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    const int count = static_cast<int>(form_.PageControl1.Pages.size());
    const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    ChoosePage((form_.PageControl1.ActivePage() + step) % count);
    return true;
  }
  return false;
}

void OptionsView::ChoosePage(int page) {
  form_.PageControl1.SetActivePage(page);
  // The focus may have been on the page just hidden.
  SetFocus(tabs_);
}

}  // namespace vandrel
