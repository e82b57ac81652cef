// The window base: the object reached through its own window procedure, and
// the exception barrier that keeps failures from unwinding through user32.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestForm.h"
#include "platform/PlatformError.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/ModalDialog.h"

namespace vandrel::test {
namespace {

constexpr UINT kFailingMessage = WM_APP + 1;

struct Reported {
  HWND owner;
  std::string text;
};

class UiWindowBarrier : public ::testing::Test {
 protected:
  UiWindowBarrier() {
    form.SetErrorReporter([this](HWND owner, const std::string& text) { reports.push_back({owner, text}); });
  }
  CheckBox box;  // outlives the form's binder
  std::vector<Reported> reports;
  TestForm form;
};

TEST_F(UiWindowBarrier, FailuresOfAHandlerAreReportedAndTheWindowKeepsWorking) {
  int handled = 0;
  form.handler = [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message != kFailingMessage) return DefWindowProcA(form.Handle(), message, wParam, lParam);
    if (++handled == 1) throw PlatformError(FormatMessageText("Failed to set data for '%s'", "LimitWindows"));
    if (handled == 2) throw std::runtime_error("Cannot open file C:\\titles.dat");
    return 7;
  };
  EXPECT_EQ(SendMessageA(form.Handle(), kFailingMessage, 0, 0), 0);
  EXPECT_EQ(SendMessageA(form.Handle(), kFailingMessage, 0, 0), 0);
  EXPECT_EQ(SendMessageA(form.Handle(), kFailingMessage, 0, 0), 7);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].text, "Failed to set data for 'LimitWindows'");
  EXPECT_EQ(reports[0].owner, form.Handle());
  EXPECT_EQ(reports[1].text, "Cannot open file C:\\titles.dat");
}

TEST_F(UiWindowBarrier, ThrowingControlHandlerIsCaughtAtTheFormBeforeTheButtonCode) {
  box.OnClick = [] { throw PlatformError("Failed to set data for 'SoundEnabled'"); };
  form.binder.Bind(form.Handle(), {{box, {101, {8, 8, 150, 17}}}});
  SendMessageA(GetDlgItem(form.Handle(), 101), BM_CLICK, 0, 0);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, "Failed to set data for 'SoundEnabled'");
}

TEST(UiWindow, WithoutAReporterTheFailureIsShownInTheApplicationsErrorBox) {
  TestForm form;
  form.handler = [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message != kFailingMessage) return DefWindowProcA(form.Handle(), message, wParam, lParam);
    throw PlatformError("Cannot open file C:\\export.txt");
  };
  std::string shown;
  HWND owner = nullptr;
  {
    BoxDriver driver([&](HWND box) {
      shown = WindowText(GetDlgItem(box, 0xFFFF));  // the message box's text
      owner = GetWindow(box, GW_OWNER);
      SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(form.Handle(), kFailingMessage, 0, 0);
    EXPECT_TRUE(driver.Found());
  }
  EXPECT_EQ(shown, "Cannot open file C:\\export.txt");
  EXPECT_EQ(owner, form.Handle());
}

TEST(UiWindow, AWindowDestroyedFromOutsideLeavesTheObjectWithoutAHandle) {
  TestForm form;
  DestroyWindow(form.Handle());
  EXPECT_EQ(form.Handle(), nullptr);
}

// A dialog whose command 100 fails; the test's reporter answers with IDOK,
// which ends it with the value 5.
class FailingDialog : public ModalDialog {
 public:
  static constexpr int kFailingCommand = 100;
  explicit FailingDialog(std::vector<Reported>& reports) {
    SetErrorReporter([&reports](HWND owner, const std::string& text) {
      reports.push_back({owner, text});
      PostMessageA(owner, WM_COMMAND, IDOK, 0);
    });
  }
  INT_PTR Show() {
    DialogTemplate dialog(WS_POPUP | WS_CAPTION, "MS Shell Dlg", 8);
    dialog.AddItem(DialogTemplate::ItemClass::Button, IDOK, BS_DEFPUSHBUTTON);
    return Run(nullptr, dialog.Get());
  }
  HWND shown = nullptr;

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG) {
      shown = Handle();
      PostMessageA(Handle(), WM_COMMAND, kFailingCommand, 0);
    } else if (message == WM_COMMAND && LOWORD(wParam) == kFailingCommand) {
      throw PlatformError("Failed to set data for 'ExitConfirm'");
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      End(5);
      return TRUE;
    }
    return FALSE;
  }
};

TEST(UiModalDialog, AFailingHandlerIsReportedWithTheDialogAsOwnerAndTheDialogRunsOn) {
  std::vector<Reported> reports;
  FailingDialog dialog(reports);
  EXPECT_EQ(dialog.Show(), 5);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, "Failed to set data for 'ExitConfirm'");
  EXPECT_EQ(reports[0].owner, dialog.shown);
}

}  // namespace
}  // namespace vandrel::test
