// The binder against real controls: models drawn into them, the controls'
// notifications turned into the models' user actions, timers on the form.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestForm.h"
#include "ui/win32/ControlWindows.h"

namespace vandrel::test {
namespace {

class UiBinder : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
  HWND Child(int id) const { return GetDlgItem(form.Handle(), id); }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(Child(id), message, wParam, lParam);
  }
  // The models outlive the form and its binder.
  CheckBox box;
  RadioGroup group;
  DropDown dropDown;
  Edit edit;
  SpinEdit spin{1, 99};
  ListBox list;
  Button button;
  StatusBar bar{{{"Blocking is off.", 240}, {"", 140}, {"", 60}}};
  Timer timer{30, true};
  int fired = 0;
  TestForm form;
};

TEST_F(UiBinder, CheckBoxFiresOnceForEachChangeByTheUserOrFromCode) {
  box.SetCaption("&Sound");
  box.OnClick = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{box, {101, {8, 8, 150, 17}}}});
  EXPECT_EQ(WindowText(Child(101)), "&Sound");

  Send(101, BM_CLICK);
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(Send(101, BM_GETCHECK), BST_CHECKED);
  Send(101, BM_CLICK);
  EXPECT_EQ(fired, 2);
  EXPECT_FALSE(box.Checked());

  box.SetChecked(true);
  EXPECT_EQ(Send(101, BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(fired, 3);
}

TEST_F(UiBinder, ExistingControlIsFoundByIdAndAWrongIdIsRefused) {
  CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 8, 8, 150, 17, form.Handle(),
                  reinterpret_cast<HMENU>(150), nullptr, nullptr);
  box.SetChecked(true);
  form.binder.Bind(form.Handle(), {{box, 150}});
  EXPECT_EQ(Send(150, BM_GETCHECK), BST_CHECKED);
  CheckBox other;
  EXPECT_THROW(form.binder.Bind(form.Handle(), {{other, 151}}), std::logic_error);
}

TEST_F(UiBinder, RadioGroupFiresForAnotherItemFromCodeOrUserButNotForTheSame) {
  group.Items = {"0.1 seconds", "0.5 seconds", "1 second"};
  group.SetCaption("Interval");
  group.OnClick = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{group,
                                    {{201, {16, 24, 120, 17}}, {202, {16, 44, 120, 17}}, {203, {16, 64, 120, 17}}},
                                    ControlRef{200, {8, 4, 140, 90}}}});
  EXPECT_EQ(WindowText(Child(200)), "Interval");
  EXPECT_EQ(WindowText(Child(203)), "1 second");

  group.SetItemIndex(1);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(Send(202, BM_GETCHECK), BST_CHECKED);
  group.SetItemIndex(1);
  EXPECT_EQ(fired, 1);

  Send(203, BM_CLICK);
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(Send(202, BM_GETCHECK), BST_UNCHECKED);
  Send(203, BM_CLICK);
  EXPECT_EQ(fired, 2);
}

TEST_F(UiBinder, DropDownSelectedFromCodeDoesNotFireButTheUsersChoiceDoes) {
  dropDown.Items = {"Automatic", "Manual", "Disabled"};
  dropDown.OnChange = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{dropDown, {301, {8, 8, 150, 120}}}});
  ASSERT_EQ(Send(301, CB_GETCOUNT), 3);

  dropDown.SetItemIndex(2);
  PumpUntil([] { return false; }, 50);  // anything the selection posts arrives meanwhile
  EXPECT_EQ(Send(301, CB_GETCURSEL), 2);
  EXPECT_EQ(fired, 0);

  // The user moves the selection with the keyboard.
  Send(301, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(dropDown.ItemIndex(), 1);
}

TEST_F(UiBinder, EditShowsCodeTextAndReportsTypingWithoutEcho) {
  edit.OnChange = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{edit, {401, {8, 8, 200, 21}}}});
  edit.SetText("C:\\Pop.wav");
  EXPECT_EQ(WindowText(Child(401)), "C:\\Pop.wav");
  EXPECT_EQ(fired, 1);  // the model's own change, not an echo from the control

  Send(401, EM_SETSEL, 0, 0);
  Send(401, WM_CHAR, 'x');
  EXPECT_EQ(edit.Text(), "xC:\\Pop.wav");
  EXPECT_EQ(fired, 2);
  DWORD caret = 0;
  Send(401, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  EXPECT_EQ(caret, 1u);  // the text was not written back, which would move the caret
}

TEST_F(UiBinder, SpinEditStepsTypesAndShowsTheKeptValue) {
  form.binder.Bind(form.Handle(), {{spin, {501, {8, 8, 60, 21}}, {502, {68, 8, 16, 21}}}});
  spin.SetValue(7);
  EXPECT_EQ(WindowText(Child(501)), "7");
  EXPECT_EQ(Send(502, UDM_GETPOS32), 7);

  SetWindowTextA(Child(501), "12");
  EXPECT_EQ(spin.Value(), 12);
  Send(501, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(spin.Value(), 13);
  EXPECT_EQ(WindowText(Child(501)), "13");

  SetWindowTextA(Child(501), "500");
  EXPECT_EQ(spin.Value(), 99);
  EXPECT_EQ(WindowText(Child(501)), "500");  // not rewritten while typing
  SetFocus(Child(501));
  SetFocus(form.Handle());
  EXPECT_EQ(WindowText(Child(501)), "99");
}

TEST_F(UiBinder, ListBoxShowsItemsSelectionAndScrollWidthAndReportsTheUsersSelection) {
  list.OnClick = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{list, {601, {8, 8, 200, 120}}}});
  list.SetItems({"ads", "casino", "popup"});
  list.SetItemIndex(1);
  list.SetScrollWidth(480);
  EXPECT_EQ(Send(601, LB_GETCOUNT), 3);
  EXPECT_EQ(Send(601, LB_GETCURSEL), 1);
  EXPECT_EQ(Send(601, LB_GETHORIZONTALEXTENT), 480);
  EXPECT_EQ(fired, 0);

  Send(601, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(fired, 1);
  list.SetItems({"ads"});
  EXPECT_EQ(Send(601, LB_GETCOUNT), 1);
  EXPECT_EQ(Send(601, LB_GETCURSEL), LB_ERR);
}

TEST_F(UiBinder, ButtonDrawsCaptionStateAndRunsItsHandlerWhenClicked) {
  button.SetCaption("&Erase");
  button.OnClick = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{button, {701, {8, 8, 75, 23}}}});
  Send(701, BM_CLICK);
  EXPECT_EQ(fired, 1);
  button.SetEnabled(false);
  button.SetVisible(false);
  EXPECT_FALSE(IsWindowEnabled(Child(701)));
  EXPECT_FALSE(GetWindowLongA(Child(701), GWL_STYLE) & WS_VISIBLE);
  button.SetCaption("E&rase now");
  EXPECT_EQ(WindowText(Child(701)), "E&rase now");
}

TEST_F(UiBinder, StatusBarPanelWidthsBecomeRightEdgesWithTheLastRunningToTheEdge) {
  form.binder.Bind(form.Handle(), {{bar, {801, {0, 0, 0, 0}}}});
  int edges[3] = {};
  ASSERT_EQ(Send(801, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 240);
  EXPECT_EQ(edges[1], 380);
  EXPECT_EQ(edges[2], -1);

  bar.SetPanelText(1, "3 windows closed.");
  bar.SetPanelWidth(0, 200);
  char text[64] = {};
  Send(801, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "3 windows closed.");
  Send(801, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Blocking is off.");
  Send(801, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 200);
}

TEST_F(UiBinder, TimerFiresThroughTheMessageLoopUntilDisabled) {
  timer.OnTimer = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{timer}});
  ASSERT_TRUE(PumpUntil([&] { return fired >= 3; }, 3000));

  timer.SetEnabled(false);
  const int firedWhenStopped = fired;
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(fired, firedWhenStopped);

  timer.SetInterval(0);
  timer.SetEnabled(true);  // enabled, but no interval: not armed
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(fired, firedWhenStopped);

  timer.SetInterval(30);
  EXPECT_TRUE(PumpUntil([&] { return fired > firedWhenStopped; }, 3000));
}

TEST_F(UiBinder, UnbindingDetachesTheModelsAndStopsTheTimers) {
  timer.OnTimer = [&] { ++fired; };
  form.binder.Bind(form.Handle(), {{timer}, {box, {101, {8, 8, 150, 17}}}});
  form.binder.Unbind();
  EXPECT_FALSE(timer.redraw);
  EXPECT_FALSE(box.redraw);
  box.SetChecked(true);
  EXPECT_EQ(Send(101, BM_GETCHECK), BST_UNCHECKED);
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(fired, 0);
}

}  // namespace
}  // namespace vandrel::test
