// The real Vandrel.exe under Wine at 96, 120, 144 and 192 DPI, on a large
// screen and on one of 1024 x 768: every window it opens fits the work area
// and holds the texts of its controls, no two controls overlap, and each
// control can be seen whole (a window that scrolls brings it into view).
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "RegistryReset.h"
#include "RemoteStatusText.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"
#include "app/CommandIds.h"
#include "platform/win32/Handles.h"
#include "ui/win32/DeviceContext.h"

namespace vandrel::test {
namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";

// The DPI Wine gives the programs started while this lives (the user's
// LogPixels, which wins over the machine's), put back afterwards.
class ScreenDpi {
 public:
  explicit ScreenDpi(int dpi) : saved_(ReadRaw(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", View::Default)) {
    WriteDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", static_cast<std::uint32_t>(dpi));
  }
  ~ScreenDpi() {
    if (saved_) {
      WriteRaw(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", saved_->type, saved_->bytes.data(),
               static_cast<DWORD>(saved_->bytes.size()), View::Default);
    } else
      DeleteValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
  }

 private:
  std::optional<RawValue> saved_;
};

// A screen of this size for the programs the thread starts while this
// lives, and the thread's own view of their windows: Wine makes a desktop of
// another name a virtual one, of the size its Desktops key gives. Its size
// becomes the screen of every desktop in the session, so the full size is
// given back the same way at the end.
class SmallScreen {
 public:
  explicit SmallScreen(const char* size) : small_(Switch(kSmall, size)) {}
  ~SmallScreen() {
    const HDESK full = Switch(kFull, std::to_string(fullWidth_) + "x" + std::to_string(fullHeight_));
    SetThreadDesktop(previous_);
    CloseDesktop(full);
    CloseDesktop(small_);
    for (const char* name : {kSmall, kFull}) DeleteValue(HKEY_CURRENT_USER, kDesktopsKey, name);
  }
  SmallScreen(const SmallScreen&) = delete;
  SmallScreen& operator=(const SmallScreen&) = delete;

 private:
  static constexpr const char* kDesktopsKey = "Software\\Wine\\Explorer\\Desktops";
  static constexpr const char* kSmall = "VandrelSmallScreen";
  static constexpr const char* kFull = "VandrelFullScreen";
  static HDESK Switch(const char* name, const std::string& size) {
    WriteString(HKEY_CURRENT_USER, kDesktopsKey, name, size);
    const HDESK desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    SetThreadDesktop(desktop);
    GetDesktopWindow();  // made now, at that size
    return desktop;
  }
  int fullWidth_ = GetSystemMetrics(SM_CXSCREEN), fullHeight_ = GetSystemMetrics(SM_CYSCREEN);
  HDESK previous_ = GetThreadDesktop(GetCurrentThreadId());
  HDESK small_;
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Measures texts as the program draws them: in the font the program gives
// the control, rebuilt here from its design (a font handle means nothing in
// another process; a font of a pixel height is the same at any DPI).
class Measure {
 public:
  explicit Measure(int dpi) : dpi_(dpi) {}
  ~Measure() { DeleteDC(dc_); }
  Measure(const Measure&) = delete;
  Measure& operator=(const Measure&) = delete;

  int operator()(int designed) const { return MulDiv(designed, dpi_, 96); }
  SIZE Extent(const std::string& text, HFONT font) const {
    const SelectedObject selected(dc_, font);
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }
  // The height `text` takes wrapped into `width`; INT_MAX when a word does not fit.
  int WrappedHeight(const std::string& text, HFONT font, int width) const {
    const SelectedObject selected(dc_, font);
    RECT bounds{0, 0, width, 0};
    DrawTextA(dc_, text.c_str(), -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return bounds.right > width ? INT_MAX : bounds.bottom;  // a word wider than the line
  }
  // The controls' font: the dialogs' own (MS Shell Dlg, 8 points), with
  // the about box's bold labels and the tip's heading; DEFAULT_GUI_FONT in
  // the other windows, whose toolbar has Courier New.
  HFONT Font(HWND control) const {
    const bool dialog = ClassOf(GetAncestor(control, GA_ROOT)) == "#32770";
    const int id = GetDlgCtrlID(control);
    const auto font = dialog && (id == 1202 || id == 1204)    ? bold_.get()
                      : dialog && id == 1101                  ? heading_.get()
                      : dialog                                ? dialog_.get()
                      : ClassOf(control) == TOOLBARCLASSNAMEA ? courier_.get()
                                                              : plain_.get();
    return static_cast<HFONT>(font);
  }

 private:
  UniqueGdiObject MakeFont(int height, int weight, bool italic, const char* face) const {
    return UniqueGdiObject(
        CreateFontA(height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face));
  }

  int dpi_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  UniqueGdiObject plain_ = MakeFont(-MulDiv(11, dpi_, 96), FW_NORMAL, false, "MS Shell Dlg");
  UniqueGdiObject dialog_ = MakeFont(-MulDiv(8, dpi_, 72), FW_NORMAL, false, "MS Shell Dlg");
  UniqueGdiObject bold_ = MakeFont(-MulDiv(8, dpi_, 72), FW_BOLD, false, "MS Shell Dlg");
  UniqueGdiObject heading_ = MakeFont(-MulDiv(19, dpi_, 96), FW_BOLD, true, "Verdana");
  UniqueGdiObject courier_ = MakeFont(-MulDiv(8, dpi_, 72), FW_NORMAL, false, "Courier New");
};

// A control's caption as drawn: "&&" is one '&', a lone '&' marks the mnemonic.
std::string Drawn(HWND control, bool prefixes) {
  char raw[512] = {};
  GetWindowTextA(control, raw, sizeof(raw));
  std::string text;
  for (const char* at = raw; *at; ++at) {
    if (prefixes && *at == '&' && *++at == '\0') break;
    text += *at;
  }
  return text;
}

// What is wrong with one window: texts that do not fit their controls,
// controls that overlap, have no size or are cut by their parent's edge.
// Only visible controls count (the options dialog's other pages are hidden).
class WindowCheck {
 public:
  WindowCheck(const Measure& measure, std::vector<std::string>& faults) : m_(measure), faults_(faults) {}

  void operator()(HWND window) {
    window_ = window;
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    if (!Inside(ScreenRect(window), area)) Fault(window, "does not fit the work area");
    std::vector<HWND> controls;
    EnumChildWindows(window, &Collect, reinterpret_cast<LPARAM>(&controls));
    for (const HWND control : controls) Text(control);
    for (const HWND a : controls) {
      for (const HWND b : controls) {
        if (a < b && GetParent(a) == GetParent(b)) Apart(a, b);
      }
    }
    InView(controls);
  }

 private:
  static BOOL CALLBACK Collect(HWND control, LPARAM list) {
    if (IsWindowVisible(control)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(control);
    return TRUE;
  }
  void Fault(HWND control, const std::string& what) {
    char title[128] = {};
    GetWindowTextA(window_, title, sizeof(title));
    faults_.push_back(std::string(title) + ": " + ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)) +
                      " \"" + Drawn(control, false) + "\" " + what);
  }
  void Fits(HWND control, bool fits, const std::string& what = "is clipped") {
    if (!fits) Fault(control, what);
  }

  void Text(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    const int width = client.right, height = client.bottom;
    const RECT outer = ScreenRect(control);  // a line's edges may leave it no client area
    if (outer.right <= outer.left || outer.bottom <= outer.top) return Fault(control, "has no size");
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const HFONT font = m_.Font(control);
    const std::string name = ClassOf(control);
    const std::string text = Drawn(control, !(name == "Static" && (style & SS_NOPREFIX)));
    const SIZE extent = m_.Extent(text, font);
    if (name == "Button") {
      const LONG type = style & BS_TYPEMASK;
      const bool mark = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                        type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
      if (type == BS_GROUPBOX) return Fits(control, m_(10) + extent.cx <= width);
      // The picture inside the edges and the focus rectangle.
      if (style & BS_ICON) return Fits(control, m_(16) + m_(8) <= std::min(width, height), "clips its picture");
      if (!mark) return Fits(control, extent.cx + m_(6) <= width && extent.cy + m_(4) <= height);
      // The mark, the gap and the focus rectangle around the caption.
      const int room = width - m_(13) - m_(4) - 1;
      return Fits(control, (style & BS_MULTILINE) ? m_.WrappedHeight(text, font, room) <= height
                                                  : extent.cx <= room && extent.cy <= height);
    }
    if (name == "Static" && !text.empty()) {
      const LONG type = style & SS_TYPEMASK;
      const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
      return Fits(control,
                  wraps ? m_.WrappedHeight(text, font, width) <= height : extent.cx <= width && extent.cy <= height);
    }
    if (name == "Edit") return Fits(control, m_.Extent("Xg", font).cy <= height, "is lower than its font");
    if (name == STATUSCLASSNAMEA) return StatusBar(control);
    if (name == TOOLBARCLASSNAMEA) return Toolbar(control);
  }

  // The closed-windows panel holds the widest count the design allows for.
  void StatusBar(HWND bar) {
    const auto panel = RemoteReply(bar, SB_GETRECT, 1, sizeof(RECT));
    if (!panel) return Fault(bar, "has no second panel");
    RECT rect{};
    std::memcpy(&rect, panel->data(), sizeof(rect));
    const SIZE extent = m_.Extent("1234 windows closed.", m_.Font(bar));
    Fits(bar, extent.cx + m_(6) <= rect.right - rect.left && extent.cy <= rect.bottom - rect.top,
         "cannot hold \"1234 windows closed.\" (" + std::to_string(extent.cx) + " px) in " +
             std::to_string(rect.right - rect.left) + " px");
  }

  // Each button holds its picture above its caption, within the strip.
  void Toolbar(HWND toolbar) {
    RECT strip{};
    GetClientRect(toolbar, &strip);
    const auto count = SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0);
    for (WPARAM index = 0; index < static_cast<WPARAM>(count); ++index) {
      const auto button = RemoteReply(toolbar, TB_GETBUTTON, index, sizeof(TBBUTTON));
      const auto place = RemoteReply(toolbar, TB_GETITEMRECT, index, sizeof(RECT));
      if (!button || !place) return Fault(toolbar, "cannot be read");
      int command = 0;  // at the same offset in the 32-bit and the 64-bit TBBUTTON
      std::memcpy(&command, button->data() + offsetof(TBBUTTON, idCommand), sizeof(command));
      RECT rect{};
      std::memcpy(&rect, place->data(), sizeof(rect));
      const auto caption = RemoteReply(toolbar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(command), 128);
      const SIZE extent = m_.Extent(caption ? caption->c_str() : "", m_.Font(toolbar));
      Fits(toolbar,
           extent.cx + m_(4) <= rect.right - rect.left && m_(32) + extent.cy + m_(4) <= rect.bottom - rect.top &&
               rect.bottom <= strip.bottom && rect.right <= strip.right,
           "clips button \"" + std::string(caption ? caption->c_str() : "") + "\"");
    }
  }

  // Siblings do not overlap, but for a frame and what it holds, which must
  // stay clear of the frame's caption, and an up-down control, which shares
  // its edit's edge.
  void Apart(HWND a, HWND b) {
    const RECT ra = ScreenRect(a), rb = ScreenRect(b);
    RECT common{};
    if (!IntersectRect(&common, &ra, &rb) || BuddyOf(a) == b || BuddyOf(b) == a) return;
    const HWND frame = Inside(rb, ra) && IsFrame(a) ? a : Inside(ra, rb) && IsFrame(b) ? b : nullptr;
    if (!frame) return Fault(a, "overlaps " + ClassOf(b) + " " + std::to_string(GetDlgCtrlID(b)));
    const HWND inner = frame == a ? b : a;
    const RECT outer = ScreenRect(frame), held = ScreenRect(inner);
    const SIZE caption = m_.Extent(Drawn(frame, true), m_.Font(frame));
    const RECT title{outer.left, outer.top, outer.left + m_(10) + caption.cx, outer.top + caption.cy};
    if (caption.cx > 0 && IntersectRect(&common, &title, &held)) {
      Fault(inner, "runs into the caption of its frame \"" + Drawn(frame, true) + "\"");
    }
  }
  // Each control shows whole in its parent's client area; in a window that
  // scrolls, at some place of the scroll: its bar's lines go through it, the
  // wheel moves it, and each control Tab focuses is scrolled into view.
  void InView(const std::vector<HWND>& controls) {
    if (controls.empty()) return;
    const bool scrolls = (GetWindowLongA(window_, GWL_STYLE) & WS_VSCROLL) != 0;
    std::vector<HWND> unseen = controls;
    for (int line = 0; line < 500 && !unseen.empty(); ++line) {
      std::erase_if(unseen, Shown);
      if (!scrolls || !Scroll(controls.front(), WM_VSCROLL, SB_LINEDOWN)) break;
    }
    for (const HWND control : unseen) Fault(control, "is cut by its parent's edge");
    if (!scrolls) return;
    Scroll(controls.front(), WM_VSCROLL, SB_TOP);
    if (!Scroll(controls.front(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)))) {
      Fault(window_, "does not scroll with the wheel");
    }
    Scroll(controls.front(), WM_VSCROLL, SB_TOP);
    const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
    const auto focus = [thread] {
      GUITHREADINFO gui{};
      gui.cbSize = sizeof(gui);
      return GetGUIThreadInfo(thread, &gui) ? gui.hwndFocus : nullptr;
    };
    for (std::size_t step = 0; step < controls.size(); ++step) {
      const HWND focused = focus();
      if (!focused) return Fault(window_, "has no focus");
      if (!Shown(focused)) Fault(focused, "has the focus out of view");
      PostMessageA(focused, WM_KEYDOWN, VK_TAB, 1);
      PostMessageA(focused, WM_KEYUP, VK_TAB, 1 | (3u << 30));
      WaitUntil([&] { return focus() != focused; }, 2000);  // a window of one tab stop keeps it
      // The focus is seen to move before the control has handled taking it.
      SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    }
    Scroll(controls.front(), WM_VSCROLL, SB_TOP);
  }
  static bool Shown(HWND control) {
    const HWND parent = GetParent(control);
    RECT client{};
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return Inside(ScreenRect(control), client);
  }
  // Sends a scroll message to the window; true when `marker` moved.
  bool Scroll(HWND marker, UINT message, WPARAM wParam) const {
    const RECT before = ScreenRect(marker);
    SendMessageTimeoutA(window_, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    return ScreenRect(marker).top != before.top;
  }

  static HWND BuddyOf(HWND control) {
    return ClassOf(control) == UPDOWN_CLASSA ? reinterpret_cast<HWND>(SendMessageA(control, UDM_GETBUDDY, 0, 0))
                                             : nullptr;
  }
  static bool IsFrame(HWND control) {
    const std::string name = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    return (name == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) || name == WC_TABCONTROLA ||
           (name == "Static" && GetWindowTextLengthA(control) == 0 && (style & SS_TYPEMASK) != SS_ICON &&
            (style & SS_TYPEMASK) != SS_BITMAP);
  }

  const Measure& m_;
  std::vector<std::string>& faults_;
  HWND window_ = nullptr;
};

}  // namespace

namespace {

// The shown top-level windows of the process, but for `except`.
std::vector<HWND> ShownWindows(DWORD processId, HWND except) {
  struct Search {
    DWORD processId;
    HWND except;
    std::vector<HWND> found;
  } search{processId, except, {}};
  EnumWindows(
      [](HWND window, LPARAM context) {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s.processId && window != s.except && IsWindowVisible(window)) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The windows a user opens from the main menu; the options dialog's pages
// are chosen with Alt and their letters, and a page's button may open a
// window of its own.
struct Opening {
  WPARAM command;
  const char* pageLetters;
  char innerPage = 0;
  const char* innerButton = nullptr;
};
constexpr Opening kOpenings[] = {
    {kCmdOptions2, "parsg", 'r', "Cookies to keep..."},
    {kCmdBlackList1, ""},
    {kCmdVideoAds1, ""},
    {kCmdDemo1, ""},
    {kCmdAbout1, ""},
    {kCmdErasePreview1, ""},
    {kCmdAllowedList1, ""},
};

// A DPI, and the size of a small screen ("1024x768"), or null for the full one.
struct Screen {
  int dpi;
  const char* smallSize;
};

class DpiFitTest : public VandrelTest, public ::testing::WithParamInterface<Screen> {
 protected:
  // The window the button of that caption in `window` opens, checked, then
  // closed with its close box.
  static void CheckInnerWindow(VandrelProcess& vandrel, HWND main, HWND window, const char* caption,
                               WindowCheck& check) {
    std::pair<const char*, HWND> search{caption, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM context) {
          auto& [wanted, found] = *reinterpret_cast<std::pair<const char*, HWND>*>(context);
          char text[64] = {};
          GetWindowTextA(child, text, sizeof(text));
          if (std::strcmp(text, wanted) == 0) found = child;
          return found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(search.second, nullptr) << caption;
    PostMessageA(search.second, BM_CLICK, 0, 0);
    HWND inner = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          for (HWND shown : ShownWindows(vandrel.process().Id(), main)) inner = shown != window ? shown : inner;
          return inner != nullptr;
        },
        10000))
        << caption << " showed no window";
    check(inner);
    PostMessageA(inner, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(inner) && IsWindowEnabled(window); }, 5000));
  }
};

TEST_P(DpiFitTest, EveryWindowHoldsItsTextsAndNoControlsOverlap) {
  const ScreenDpi screen(GetParam().dpi);
  std::optional<SmallScreen> small;
  if (GetParam().smallSize) small.emplace(GetParam().smallSize);
  DeleteValue(HKEY_CURRENT_USER, kSettingsKey, "TOD");  // so the tip comes first
  const Measure measure(GetParam().dpi);
  std::vector<std::string> faults;
  WindowCheck check(measure, faults);

  VandrelProcess vandrel;
  const HWND tip = vandrel.WaitForDialog("Tip of the Day", 15000);
  ASSERT_NE(tip, nullptr);
  check(tip);
  PostMessageA(tip, WM_SYSCOMMAND, SC_CLOSE, 0);
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // Shown with its panels set: only shown controls are checked.
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && vandrel.Answers(); }, 10000));
  check(main);
  for (const Opening& opening : kOpenings) {
    PostMessageA(main, WM_COMMAND, opening.command, 0);
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          const auto shown = ShownWindows(vandrel.process().Id(), main);
          window = shown.empty() ? nullptr : shown.front();
          return window != nullptr;
        },
        10000))
        << "command " << opening.command << " showed no window";
    check(window);
    const HWND tabs = FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr);
    for (const char* letter = opening.pageLetters; *letter; ++letter) {
      PostMessageA(window, WM_SYSCHAR, static_cast<WPARAM>(*letter), 1 << 29);
      const auto page = letter - opening.pageLetters;
      ASSERT_TRUE(WaitUntil([&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == page; }, 5000));
      SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);  // the page is shown
      check(window);
      if (*letter == opening.innerPage) CheckInnerWindow(vandrel, main, window, opening.innerButton, check);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window) && IsWindowEnabled(main); }, 5000));
  }
  std::string all;
  for (const std::string& fault : faults) all += "\n  " + fault;
  EXPECT_TRUE(faults.empty()) << "at " << GetParam().dpi << " DPI:" << all;
}

INSTANTIATE_TEST_SUITE_P(Screens, DpiFitTest,
                         ::testing::Values(Screen{96, nullptr}, Screen{120, nullptr}, Screen{144, nullptr},
                                           Screen{192, nullptr}, Screen{120, "1024x768"}, Screen{144, "1024x768"},
                                           Screen{192, "1024x768"}),
                         [](const auto& info) {
                           const char* size = info.param.smallSize;
                           return "Dpi" + std::to_string(info.param.dpi) + (size ? std::string("On") + size : "");
                         });

}  // namespace
}  // namespace vandrel::test
