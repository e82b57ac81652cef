// The real message boxes, driven from a second thread as a user would:
// clicks on their buttons and check box, Enter and Esc.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TestForm.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DeviceContext.h"
#include "ui/win32/SilenceableBox.h"
#include "ui/win32/Win32Prompts.h"

namespace vandrel::test {
namespace {

using Layout = SilenceableLayout;

// What the driver saw of the silenceable box before it answered.
struct Seen {
  std::string title, text, checkCaption;
  RECT check{};
  RECT box{};
  int textBottom = 0;
  int buttonsTop = 0;
  HICON icon = nullptr;
  int checkCaptionWidth = 0;  // of the caption in the check box's font
};

int CaptionWidth(HWND control) {
  const WindowDc dc(control);
  const SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  const std::string caption = WindowText(control);
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &size);
  return size.cx;
}

constexpr int kIconId = 1001;  // the box's icon and text controls
constexpr int kTextId = 1002;

Seen Look(HWND box, int firstButton) {
  Seen seen;
  seen.title = WindowText(box);
  seen.text = WindowText(GetDlgItem(box, kTextId));
  seen.checkCaption = WindowText(GetDlgItem(box, Layout::kCheckId));
  seen.check = RectInParent(GetDlgItem(box, Layout::kCheckId));
  GetWindowRect(box, &seen.box);
  seen.textBottom = RectInParent(GetDlgItem(box, kTextId)).bottom;
  seen.buttonsTop = RectInParent(GetDlgItem(box, firstButton)).top;
  seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, kIconId, STM_GETICON, 0, 0));
  seen.checkCaptionWidth = CaptionWidth(GetDlgItem(box, Layout::kCheckId));
  return seen;
}

void Click(HWND box, int id) { SendMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0); }

class UiSilenceableBox : public ::testing::Test {
 protected:
  Win32Prompts prompts;
  Seen seen;
};

TEST_F(UiSilenceableBox, TickedCheckBoxAndYesComeBackWithTheLayoutOfAOneLineBox) {
  SilenceableAnswer answer{};
  {
    BoxDriver driver([&](HWND box) {
      seen = Look(box, IDYES);
      Click(box, Layout::kCheckId);
      Click(box, IDYES);
    });
    answer =
        prompts.SilenceableMessage(MessageKind::Confirmation, "Do you really want to exit?", MessageButtons::YesNo);
    ASSERT_TRUE(driver.Found());
  }
  EXPECT_EQ(answer.answer, Answer::Yes);
  EXPECT_TRUE(answer.dontShowAgain);
  EXPECT_EQ(seen.title, "Vandrel");
  EXPECT_EQ(seen.text, "Do you really want to exit?");
  EXPECT_EQ(seen.checkCaption, "Don't show me this again.");
  EXPECT_EQ(seen.check.left, 8);
  EXPECT_EQ(seen.check.top, 100);
  // 150 wide, or wider where the system's dialog font would cut the caption.
  const int checkWidth = seen.check.right - seen.check.left;
  EXPECT_GE(checkWidth, 150);
  EXPECT_GE(checkWidth, seen.checkCaptionWidth + GetSystemMetrics(SM_CXMENUCHECK));
  EXPECT_LE(checkWidth, std::max(150, seen.checkCaptionWidth + 24));
  EXPECT_EQ(seen.box.bottom - seen.box.top, 150);
  EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_QUESTION));
}

TEST_F(UiSilenceableBox, EnterPressesTheFirstButtonAndEscMeansCancelOrNo) {
  struct Case {
    MessageButtons buttons;
    WPARAM key;
    Answer expected;
  };
  const Case cases[] = {
      {MessageButtons::YesNo, VK_RETURN, Answer::Yes},          {MessageButtons::YesNo, VK_ESCAPE, Answer::No},
      {MessageButtons::OkCancel, VK_ESCAPE, Answer::Cancel},    {MessageButtons::RetryCancel, VK_RETURN, Answer::Retry},
      {MessageButtons::RetryCancel, VK_ESCAPE, Answer::Cancel}, {MessageButtons::Ok, VK_ESCAPE, Answer::Ok},
  };
  for (const Case& test : cases) {
    SilenceableAnswer answer{};
    {
      BoxDriver driver([&](HWND box) { PressKey(box, test.key); });
      answer = prompts.SilenceableMessage(MessageKind::Information, "Keys", test.buttons);
    }
    EXPECT_EQ(answer.answer, test.expected) << "key " << test.key << " buttons " << static_cast<int>(test.buttons);
    EXPECT_FALSE(answer.dontShowAgain);
  }
}

TEST_F(UiSilenceableBox, TwoLinesKeepTheHeightAndLongerTextGrowsTheBoxSoNothingIsCut) {
  const std::string twoLines = "The first line of the message.\nThe second line.";
  const std::string sixLines = twoLines + "\nThree\nFour\nFive\nSix";
  Seen two, six;
  {
    BoxDriver driver([&](HWND box) {
      two = Look(box, IDOK);
      Click(box, IDOK);
    });
    prompts.SilenceableMessage(MessageKind::Information, twoLines, MessageButtons::Ok);
  }
  {
    BoxDriver driver([&](HWND box) {
      six = Look(box, IDOK);
      Click(box, IDCANCEL);
    });
    prompts.SilenceableMessage(MessageKind::Error, sixLines, MessageButtons::OkCancel);
  }
  EXPECT_EQ(two.box.bottom - two.box.top, 150);
  const int growth = (six.box.bottom - six.box.top) - 150;
  EXPECT_GT(growth, 0);
  EXPECT_EQ(six.check.top, 100 + growth);
  EXPECT_LE(six.textBottom, six.buttonsTop);
  EXPECT_EQ(six.icon, LoadIconA(nullptr, IDI_ERROR));
}

TEST(UiPrompts, MessageBoxIsTitledAndOwnedAndAnswersTheButtonPressed) {
  TestForm owner;
  Win32Prompts prompts;
  prompts.SetOwner(owner.Handle());
  std::string text;
  HWND boxOwner = nullptr;
  Answer answer{};
  {
    BoxDriver driver([&](HWND box) {
      text = WindowText(GetDlgItem(box, 0xFFFF));
      boxOwner = GetWindow(box, GW_OWNER);
      SendMessageA(box, WM_COMMAND, IDRETRY, 0);
    });
    answer = prompts.Message(MessageKind::Warning, "The service is busy.", MessageButtons::RetryCancel);
    ASSERT_TRUE(driver.Found());
  }
  EXPECT_EQ(answer, Answer::Retry);
  EXPECT_EQ(text, "The service is busy.");
  EXPECT_EQ(boxOwner, owner.Handle());
}

TEST(UiPrompts, ABoxIsOwnedByTheShownWindowTheUserIsIn) {
  TestForm main;
  Win32Prompts prompts;
  prompts.SetOwner(main.Handle());
  // A window the main window owns, as the program's dialogs are.
  const HWND dialog = CreateWindowExA(0, "STATIC", "Dialog", WS_POPUP | WS_VISIBLE, 40, 40, 200, 100, main.Handle(),
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(dialog);
  SetForegroundWindow(dialog);
  SetActiveWindow(dialog);
  const auto ownerOfNextBox = [&] {
    HWND owner = nullptr;
    BoxDriver driver([&](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    prompts.Message(MessageKind::Information, "Owned?", MessageButtons::Ok);
    return owner;
  };
  EXPECT_EQ(ownerOfNextBox(), dialog);
  ShowWindow(dialog, SW_HIDE);
  EXPECT_EQ(ownerOfNextBox(), main.Handle());
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace vandrel::test
