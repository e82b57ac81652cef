// The block list dialog's real view under Wine: its size and captions, the
// scroll extents measured in the list boxes' font, the keys of its modal
// loop, and the password box.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestForm.h"
#include "blocklist/win32/BlockListView.h"
#include "unit/blocklist/DialogDoubles.h"
#include "ui/win32/DeviceContext.h"
#include "ui/win32/PasswordBox.h"

namespace vandrel::test {
namespace {

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The doubles behind the model are the dialog's unit tests' own.
class BlockListDialog : public ::testing::Test, protected DialogDoubles {
 protected:
  BlockListDialog() {
    desktop.Open("A rather long page title - Microsoft Internet Explorer", "IEFrame");
    list.Assign({"Ads", "Casino"});
    titles.LoadTitles(list);  // the start-up's load comes before any save
    view.Create(GetModuleHandleA(nullptr));
  }
  HWND Child(int id) const { return GetDlgItem(view.Handle(), id); }
  int Measured(HWND list, const std::string& text) const {
    const WindowDc dc(list);
    const SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  // The controls are made at the first show; the close box hides the dialog again.
  void ShowAndHide() {
    PostMessageA(view.Handle(), WM_CLOSE, 0, 0);
    view.ShowModal(nullptr);
  }

  BlockListView view{dialog, prompts};
};

TEST_F(BlockListDialog, IsCreatedHiddenWithItsSizeAndCaption) {
  EXPECT_FALSE(IsWindowVisible(view.Handle()));
  RECT client{};
  GetClientRect(view.Handle(), &client);
  EXPECT_EQ(client.right, 537);
  EXPECT_EQ(client.bottom, 412);
  EXPECT_EQ(TextOf(view.Handle()), "Add title to the block list");
  // A dialog frame, which draws no icon in the caption.
  EXPECT_TRUE(GetWindowLongA(view.Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}

TEST_F(BlockListDialog, ShowsItsControlsAndMeasuresWhatWasAddedBeforeTheFirstShow) {
  const std::string added = "An entry added while the dialog was never shown";
  list.Add(added);
  dialog.Scroller();  // as the tray's save does, with nothing to measure in yet
  ShowAndHide();
  EXPECT_EQ(TextOf(Child(IDCANCEL)), "&Hide");
  EXPECT_EQ(TextOf(Child(401)), "&Protect with password");
  EXPECT_TRUE(GetWindowLongA(Child(401), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_FALSE(GetWindowLongA(Child(403), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(SendMessageA(Child(403), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(SendMessageA(view.ListBox2(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(view.ListBox2(), LB_GETHORIZONTALEXTENT, 0, 0), Measured(view.ListBox2(), added) + 5);
}

TEST_F(BlockListDialog, ShowingRefreshesTheWindowsAndEscHidesAndWritesTheFile) {
  dialog.showModal = [&] { view.ShowModal(nullptr); };
  PostMessageA(view.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);  // reaches the dialog manager of the loop
  dialog.AddtotheBlackList1Click();
  EXPECT_FALSE(IsWindowVisible(view.Handle()));
  EXPECT_EQ(SendMessageA(view.ListBox1(), LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(view.ListBox1(), LB_GETHORIZONTALEXTENT, 0, 0),
            Measured(view.ListBox1(), "A rather long page title - Microsoft Internet Explorer") + 5);
  EXPECT_TRUE(files.Exists(titles.TitlesPath()));
}

TEST_F(BlockListDialog, EnterInTheKeywordBoxAddsAndDelWithoutSelectionWarns) {
  ShowAndHide();
  dialog.showModal = [&] { view.ShowModal(nullptr); };
  SetWindowTextA(Child(302), "poker");
  PostMessageA(Child(302), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(Child(302), WM_CHAR, VK_RETURN, 0);
  PostMessageA(view.ListBox2(), WM_KEYDOWN, VK_DELETE, 0);
  PostMessageA(view.Handle(), WM_CLOSE, 0, 0);
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"Ads", "Casino", "poker"}));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, kNoTitleSelected);
}

TEST(PasswordBoxTest, TheMaskedEditLeadsTheTabOrderAndOkGivesItsText) {
  RECT edit{};
  bool focused = false;
  BoxDriver driver([&](HWND box) {
    const HWND field = GetDlgItem(box, PasswordLayout::kEditId);
    edit = RectInParent(field);
    focused = GetNextDlgTabItem(box, nullptr, FALSE) == field;
    SetWindowTextA(field, "Se:cret");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  PasswordBox box("Please, enter password!");
  EXPECT_EQ(box.Show(nullptr), "Se:cret");
  EXPECT_TRUE(driver.Found());
  EXPECT_TRUE(focused);
  EXPECT_EQ(edit.left, 8);
  EXPECT_EQ(edit.top, 90);
  EXPECT_EQ(edit.right - edit.left, 150);
}

}  // namespace
}  // namespace vandrel::test
