#include "ui/win32/BoundControls.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>

#include "platform/ScopeExit.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DpiScale.h"

namespace vandrel {
namespace {

// A model whose `redraw` this binding owns while it lives.
template <typename Model>
class BoundModel : public BoundControl {
 protected:
  explicit BoundModel(Model& model) : model_(model) {
    model_.redraw = [this] { Redraw(); };
  }
  ~BoundModel() override { model_.redraw = nullptr; }
  Model& model_;
};

// A model drawn in one or more child windows whose WM_COMMAND and WM_NOTIFY
// notifications it takes.
template <typename Model>
class BoundWindows : public BoundModel<Model> {
 public:
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    HWND from = nullptr;
    UINT code = 0;
    const NMHDR* header = nullptr;
    if (message == WM_COMMAND && lParam != 0) {
      from = reinterpret_cast<HWND>(lParam);
      code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
      header = reinterpret_cast<const NMHDR*>(lParam);
      from = header->hwndFrom;
      code = header->code;
    } else {
      return false;
    }
    const auto found = std::find(windows_.begin(), windows_.end(), from);
    if (found == windows_.end()) return false;
    result = 0;
    Notified(static_cast<std::size_t>(found - windows_.begin()), code, header, result);
    return true;
  }

 protected:
  BoundWindows(Model& model, std::vector<HWND> windows) : BoundModel<Model>(model), windows_(std::move(windows)) {}
  // A notification `code` from windows_[window]; `header` for WM_NOTIFY only.
  virtual void Notified(std::size_t window, UINT code, const NMHDR* header, LRESULT& result) = 0;
  std::vector<HWND> windows_;
};

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetCheck(HWND button, bool checked) {
  if (IsChecked(button) != checked) SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

class BoundButton : public BoundWindows<Button> {
 public:
  BoundButton(Button& model, HWND button) : BoundWindows(model, {button}) {}
  void Redraw() override {
    SetTextIfChanged(windows_[0], model_.Caption());
    DrawState(windows_[0], model_);
    SetCheck(windows_[0], model_.Checked());  // for push-like check buttons
  }

 private:
  void Notified(std::size_t, UINT code, const NMHDR*, LRESULT&) override {
    if (code == BN_CLICKED) model_.Click();
  }
};

// The control has toggled itself (BS_AUTOCHECKBOX); the model follows, and
// its handler runs because the state changed.
class BoundCheckBox : public BoundWindows<CheckBox> {
 public:
  BoundCheckBox(CheckBox& model, HWND checkBox) : BoundWindows(model, {checkBox}) {}
  void Redraw() override {
    SetTextIfChanged(windows_[0], model_.Caption());
    DrawState(windows_[0], model_);
    SetCheck(windows_[0], model_.Checked());
  }

 private:
  void Notified(std::size_t, UINT code, const NMHDR*, LRESULT&) override {
    if (code == BN_CLICKED) model_.SetChecked(IsChecked(windows_[0]));
  }
};

// Radio buttons (BS_AUTORADIOBUTTON), one per item; the user's click on
// another item selects it through the model, which runs the handler.
class BoundRadioGroup : public BoundWindows<RadioGroup> {
 public:
  BoundRadioGroup(RadioGroup& model, std::vector<HWND> buttons, HWND groupBox)
      : BoundWindows(model, std::move(buttons)), groupBox_(groupBox) {}
  void Redraw() override {
    for (std::size_t item = 0; item < windows_.size(); ++item) {
      if (item < model_.Items.size()) SetTextIfChanged(windows_[item], model_.Items[item]);
      DrawState(windows_[item], model_);
      SetCheck(windows_[item], static_cast<int>(item) == model_.ItemIndex());
    }
    if (groupBox_) {
      SetTextIfChanged(groupBox_, model_.Caption());
      DrawState(groupBox_, model_);
    }
  }

 private:
  void Notified(std::size_t item, UINT code, const NMHDR*, LRESULT&) override {
    if (code == BN_CLICKED && IsChecked(windows_[item])) model_.SetItemIndex(static_cast<int>(item));
  }
  HWND groupBox_;
};

// A combo box or list box: items refilled when they change, the selection
// pushed without notification, the user's selection reported.
template <typename Model>
class BoundList : public BoundWindows<Model> {
 public:
  struct Messages {
    UINT reset, add, getSelection, setSelection, selectionChanged;
  };
  BoundList(Model& model, HWND list, Messages messages) : BoundWindows<Model>(model, {list}), messages_(messages) {}
  void Redraw() override {
    const HWND list = this->windows_[0];
    DrawState(list, this->model_);
    const std::vector<std::string>& items = ItemsOf(this->model_);
    if (items != shownItems_) {
      FillList(list, messages_.reset, messages_.add, items);
      shownItems_ = items;
    }
    if (SendMessageA(list, messages_.getSelection, 0, 0) != this->model_.ItemIndex()) {
      SendMessageA(list, messages_.setSelection, static_cast<WPARAM>(this->model_.ItemIndex()), 0);
    }
    DrawExtras(list);
  }

 private:
  static const std::vector<std::string>& ItemsOf(const DropDown& model) { return model.Items; }
  static const std::vector<std::string>& ItemsOf(const ListBox& model) { return model.Items(); }
  void DrawExtras(HWND list) const {
    if constexpr (std::is_same_v<Model, ListBox>) {
      SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(this->model_.ScrollWidth()), 0);
    }
  }
  void Notified(std::size_t, UINT code, const NMHDR*, LRESULT&) override {
    if (code != messages_.selectionChanged) return;
    this->model_.UserSelect(static_cast<int>(SendMessageA(this->windows_[0], messages_.getSelection, 0, 0)));
  }
  Messages messages_;
  std::vector<std::string> shownItems_;
};

class BoundEdit : public BoundWindows<Edit> {
 public:
  BoundEdit(Edit& model, HWND edit) : BoundWindows(model, {edit}) {}
  void Redraw() override {
    DrawState(windows_[0], model_);
    if (pushing_) return;
    // Marks the push, so that the notifications it causes are not taken for the user's.
    const auto push = FlagFor(pushing_);
    SetTextIfChanged(windows_[0], model_.Text());
  }

 private:
  void Notified(std::size_t, UINT code, const NMHDR*, LRESULT&) override {
    if (code == EN_CHANGE && !pushing_) model_.UserTyped(WindowText(windows_[0]));
  }
  bool pushing_ = false;
};

// An edit with an up-down control. The model holds the value: the arrows
// step it through the model, and typing sets it without rewriting the text
// while the user types; leaving the edit shows the value kept.
class BoundSpinEdit : public BoundWindows<SpinEdit> {
 public:
  BoundSpinEdit(SpinEdit& model, HWND edit, HWND upDown) : BoundWindows(model, {edit, upDown}) {
    SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  }
  void Redraw() override {
    if (pushing_) return;
    const auto push = FlagFor(pushing_);
    for (const HWND window : windows_) DrawState(window, model_);
    SendMessageA(windows_[kUpDown], UDM_SETRANGE32, static_cast<WPARAM>(model_.Min()), model_.Max());
    SendMessageA(windows_[kUpDown], UDM_SETPOS32, 0, model_.Value());
    SetTextIfChanged(windows_[kEdit], std::to_string(model_.Value()));
  }

 private:
  static constexpr std::size_t kEdit = 0;
  static constexpr std::size_t kUpDown = 1;

  void Notified(std::size_t window, UINT code, const NMHDR* header, LRESULT& result) override {
    if (window == kEdit && code == EN_CHANGE && !pushing_) {
      Typed(WindowText(windows_[kEdit]));
    } else if (window == kEdit && code == EN_KILLFOCUS) {
      Redraw();
    } else if (window == kUpDown && code == UDN_DELTAPOS) {
      model_.SetValue(model_.Value() + reinterpret_cast<const NMUPDOWN*>(header)->iDelta);
      result = TRUE;  // the model has moved; the control must not move on its own
    }
  }
  // A text that is no number counts as the least value.
  void Typed(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) value = model_.Min();
    const auto push = FlagFor(pushing_);
    model_.SetValue(value);
  }
  bool pushing_ = false;
};

// A label or frame: its caption and state, nothing to notify.
class BoundCaption : public BoundWindows<ControlModel> {
 public:
  BoundCaption(ControlModel& model, HWND window) : BoundWindows(model, {window}) {}
  void Redraw() override {
    SetTextIfChanged(windows_[0], model_.Caption());
    DrawState(windows_[0], model_);
  }

 private:
  void Notified(std::size_t, UINT, const NMHDR*, LRESULT&) override {}
};

// A tab control over one page window per tab: the active page's window is
// shown, the others hidden, so a control drawn on a hidden page stays unseen.
class BoundPageControl : public BoundWindows<PageControl> {
 public:
  BoundPageControl(PageControl& model, HWND tabs, std::vector<HWND> pages)
      : BoundWindows(model, {tabs}), pages_(std::move(pages)) {}
  void Redraw() override {
    const HWND tabs = windows_[0];
    DrawState(tabs, model_);
    if (static_cast<std::size_t>(TabCtrl_GetItemCount(tabs)) != model_.Pages.size()) {
      TabCtrl_DeleteAllItems(tabs);
      for (std::size_t page = 0; page < model_.Pages.size(); ++page) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(model_.Pages[page].c_str());
        SendMessageA(tabs, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
      }
    }
    if (TabCtrl_GetCurSel(tabs) != model_.ActivePage()) TabCtrl_SetCurSel(tabs, model_.ActivePage());
    ShowActivePage();
  }

 private:
  void Notified(std::size_t, UINT code, const NMHDR*, LRESULT&) override {
    if (code != TCN_SELCHANGE) return;
    model_.UserSelect(TabCtrl_GetCurSel(windows_[0]));
    ShowActivePage();
  }
  void ShowActivePage() const {
    for (std::size_t page = 0; page < pages_.size(); ++page) {
      ShowWindow(pages_[page], static_cast<int>(page) == model_.ActivePage() ? SW_SHOW : SW_HIDE);
    }
  }
  std::vector<HWND> pages_;
};

// Panels given by width (designed at 96 DPI); the status bar wants right
// edges, and the last panel runs to the window's edge.
class BoundStatusBar : public BoundWindows<StatusBar> {
 public:
  BoundStatusBar(StatusBar& model, HWND statusBar) : BoundWindows(model, {statusBar}) {}
  void Redraw() override {
    const HWND bar = windows_[0];
    DrawState(bar, model_);
    const auto& panels = model_.Panels();
    std::vector<int> edges;
    int right = 0;
    for (const StatusBar::Panel& panel : panels) {
      right += panel.width;
      edges.push_back(DpiScale::Screen()(right));
    }
    if (!edges.empty()) edges.back() = -1;
    SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t panel = 0; panel < panels.size(); ++panel) {
      SendMessageA(bar, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(panels[panel].text.c_str()));
    }
  }
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_SIZE) {
      SendMessageA(windows_[0], WM_SIZE, 0, 0);  // it lays itself out along the form's bottom
      return false;
    }
    return BoundWindows::Route(message, wParam, lParam, result);
  }

 private:
  void Notified(std::size_t, UINT, const NMHDR*, LRESULT&) override {}
};

// Armed on the form while enabled with a positive interval; setting either
// re-arms it, which restarts the count. At once is one WM_TIMER posted to
// the form with an id of its own, one a request: a request while one is on
// its way adds none, and one that comes after the timer was set otherwise
// fires nothing.
class BoundTimer : public BoundModel<Timer> {
 public:
  BoundTimer(Timer& model, HWND form, UINT_PTR id, UINT_PTR atOnceId)
      : BoundModel(model), form_(form), id_(id), atOnceId_(atOnceId) {}
  ~BoundTimer() override { KillTimer(form_, id_); }
  void Redraw() override {
    if (model_.ArmedAtOnce()) {
      KillTimer(form_, id_);
      if (!posted_) posted_ = PostMessageA(form_, WM_TIMER, atOnceId_, 0) != FALSE;
      // A full queue refuses the post: the system's shortest wait then.
      if (!posted_) SetTimer(form_, id_, USER_TIMER_MINIMUM, nullptr);
      return;
    }
    if (model_.Enabled() && model_.Interval() > 0) {
      SetTimer(form_, id_, static_cast<UINT>(model_.Interval()), nullptr);
      return;
    }
    KillTimer(form_, id_);
  }
  bool Route(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (message != WM_TIMER || (wParam != id_ && wParam != atOnceId_)) return false;
    result = 0;
    if (wParam == atOnceId_) {
      posted_ = false;
      if (!model_.ArmedAtOnce()) return true;  // set otherwise since
    }
    if (model_.ArmedAtOnce()) KillTimer(form_, id_);  // the shortest wait's, when the post was refused
    model_.Fire();
    return true;
  }

 private:
  HWND form_;
  UINT_PTR id_, atOnceId_;
  bool posted_ = false;  // an at-once WM_TIMER is on its way
};

template <typename Bound, typename... Arguments>
std::unique_ptr<BoundControl> Made(Arguments&&... arguments) {
  return std::make_unique<Bound>(std::forward<Arguments>(arguments)...);
}

}  // namespace

std::unique_ptr<BoundControl> BindButton(BindContext& context, Button& model, const ControlRef& button) {
  return Made<BoundButton>(model, ResolveControl(context.Form(), button, kPushButtonKind));
}

std::unique_ptr<BoundControl> BindCheckBox(BindContext& context, CheckBox& model, const ControlRef& checkBox) {
  return Made<BoundCheckBox>(model, ResolveControl(context.Form(), checkBox, kCheckBoxKind));
}

std::unique_ptr<BoundControl> BindRadioGroup(BindContext& context, RadioGroup& model,
                                             const std::vector<ControlRef>& buttons,
                                             const std::optional<ControlRef>& groupBox) {
  // The group box first, so that it lies below the buttons it frames.
  const HWND frame = groupBox ? ResolveControl(context.Form(), *groupBox, kGroupBoxKind) : nullptr;
  std::vector<HWND> windows;
  for (const ControlRef& button : buttons) {
    windows.push_back(ResolveControl(context.Form(), button, windows.empty() ? kFirstRadioKind : kNextRadioKind));
  }
  return Made<BoundRadioGroup>(model, std::move(windows), frame);
}

std::unique_ptr<BoundControl> BindDropDown(BindContext& context, DropDown& model, const ControlRef& comboBox) {
  return Made<BoundList<DropDown>>(
      model, ResolveControl(context.Form(), comboBox, kDropDownListKind),
      BoundList<DropDown>::Messages{CB_RESETCONTENT, CB_ADDSTRING, CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE});
}

std::unique_ptr<BoundControl> BindEdit(BindContext& context, Edit& model, const ControlRef& edit) {
  return Made<BoundEdit>(model, ResolveControl(context.Form(), edit, kEditKind));
}

std::unique_ptr<BoundControl> BindSpinEdit(BindContext& context, SpinEdit& model, const ControlRef& edit,
                                           const ControlRef& upDown) {
  const HWND editWindow = ResolveControl(context.Form(), edit, kEditKind);
  return Made<BoundSpinEdit>(model, editWindow, ResolveControl(context.Form(), upDown, kUpDownKind));
}

std::unique_ptr<BoundControl> BindListBox(BindContext& context, ListBox& model, const ControlRef& listBox) {
  return Made<BoundList<ListBox>>(
      model, ResolveControl(context.Form(), listBox, kListBoxKind),
      BoundList<ListBox>::Messages{LB_RESETCONTENT, LB_ADDSTRING, LB_GETCURSEL, LB_SETCURSEL, LBN_SELCHANGE});
}

std::unique_ptr<BoundControl> BindCaption(BindContext& context, ControlModel& model, const ControlRef& window) {
  return Made<BoundCaption>(model, ResolveControl(context.Form(), window, kLabelKind));
}

std::unique_ptr<BoundControl> BindPageControl(BindContext& context, PageControl& model, const ControlRef& tabs,
                                              const std::vector<HWND>& pages) {
  return Made<BoundPageControl>(model, ResolveControl(context.Form(), tabs, kTabControlKind), pages);
}

std::unique_ptr<BoundControl> BindStatusBar(BindContext& context, StatusBar& model, const ControlRef& statusBar) {
  return Made<BoundStatusBar>(model, ResolveControl(context.Form(), statusBar, kStatusBarKind));
}

std::unique_ptr<BoundControl> BindTimer(BindContext& context, Timer& model) {
  const UINT_PTR id = context.NewTimerId();
  return Made<BoundTimer>(model, context.Form(), id, context.NewTimerId());
}

}  // namespace vandrel
