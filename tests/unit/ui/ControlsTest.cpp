// The firing rules of the control models, which every form relies on.
#include <gtest/gtest.h>

#include "ui/Controls.h"

namespace vandrel {
namespace {

// Counts handler runs and redraws of one model.
struct Counts {
  int handler = 0;
  int redraws = 0;
};

template <typename Model>
void Watch(Model& model, std::function<void()>& handler, Counts& counts) {
  handler = [&counts] { ++counts.handler; };
  model.redraw = [&counts] { ++counts.redraws; };
}

TEST(UiControlCheckBox, HandlerRunsWheneverTheStateChangesAlsoFromCode) {
  CheckBox box;
  Counts counts;
  Watch(box, box.OnClick, counts);
  box.SetChecked(true);
  box.SetChecked(true);
  EXPECT_EQ(counts.handler, 1);
  box.UserToggle();
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(counts.handler, 2);
  EXPECT_EQ(counts.redraws, 2);
}

TEST(UiControlCheckBox, HandlerSeesTheNewState) {
  CheckBox box;
  bool seen = false;
  box.OnClick = [&] { seen = box.Checked(); };
  box.UserToggle();
  EXPECT_TRUE(seen);
}

TEST(UiControlRadioGroup, SelectingAnotherItemFromCodeRunsTheHandlerAndTheSameDoesNot) {
  RadioGroup group;
  group.Items = {"0.1 s", "0.5 s", "1 s"};
  Counts counts;
  Watch(group, group.OnClick, counts);
  group.SetItemIndex(1);
  group.SetItemIndex(1);
  EXPECT_EQ(counts.handler, 1);
  group.SetItemIndex(-1);
  EXPECT_EQ(counts.handler, 2);
  EXPECT_EQ(group.ItemIndex(), -1);
}

TEST(UiControlDropDown, CodeSelectionRedrawsWithoutHandlerAndUserChoiceFires) {
  DropDown list;
  list.Items = {"Automatic", "Manual", "Disabled"};
  Counts counts;
  Watch(list, list.OnChange, counts);
  list.SetItemIndex(2);
  EXPECT_EQ(counts.handler, 0);
  EXPECT_EQ(counts.redraws, 1);
  list.UserSelect(0);
  EXPECT_EQ(counts.handler, 1);
  EXPECT_EQ(list.ItemIndex(), 0);
  // The control already shows the user's choice: nothing to redraw.
  EXPECT_EQ(counts.redraws, 1);
}

TEST(UiControlEdit, TypingFiresWithoutRedrawAndCodeChangeDoesBoth) {
  Edit edit;
  Counts counts;
  Watch(edit, edit.OnChange, counts);
  edit.UserTyped("abc");
  EXPECT_EQ(edit.Text(), "abc");
  EXPECT_EQ(counts.handler, 1);
  EXPECT_EQ(counts.redraws, 0);
  edit.SetText("abc");
  EXPECT_EQ(counts.handler, 1);
  edit.SetText("wave.wav");
  EXPECT_EQ(counts.handler, 2);
  EXPECT_EQ(counts.redraws, 1);
}

TEST(UiControlListBox, NewItemsDropASelectionBeyondThemAndUserSelectionFires) {
  ListBox list;
  Counts counts;
  Watch(list, list.OnClick, counts);
  list.SetItems({"a", "b", "c"});
  list.SetItemIndex(2);
  list.SetItems({"a"});
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItems({"a", "b"});
  list.SetItemIndex(1);
  list.SetItems({"x", "y"});
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(counts.handler, 0);
  list.UserSelect(0);
  EXPECT_EQ(counts.handler, 1);
}

TEST(UiControlTimer, FiresOnlyWhileEnabledAndEverySettingRearms) {
  Timer timer(500, false);
  Counts counts;
  Watch(timer, timer.OnTimer, counts);
  timer.Fire();
  EXPECT_EQ(counts.handler, 0);
  timer.SetEnabled(true);
  timer.Fire();
  EXPECT_EQ(counts.handler, 1);
  // Re-arming restarts the count, so the same interval rearms too.
  timer.SetInterval(500);
  EXPECT_EQ(counts.redraws, 2);
}

}  // namespace
}  // namespace vandrel
