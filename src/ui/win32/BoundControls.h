#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "ui/Controls.h"
#include "ui/win32/Binder.h"

namespace vandrel {

// What a binding needs of its form: the window, where new controls go and
// fresh timer ids.
class BindContext {
 public:
  explicit BindContext(HWND form) : form_(form) {}
  HWND Form() const { return form_; }
  UINT_PTR NewTimerId() { return nextTimerId_++; }

 private:
  HWND form_;
  UINT_PTR nextTimerId_ = 0x7100;  // clear of the small ids views pick by hand
};

// One bound model: draws it into its control and takes the control's
// notifications.
class BoundControl {
 public:
  virtual ~BoundControl() = default;
  virtual void Redraw() = 0;
  // True when the message was this binding's, with the result to return.
  virtual bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

std::unique_ptr<BoundControl> BindButton(BindContext& context, Button& model, const ControlRef& button);
std::unique_ptr<BoundControl> BindCheckBox(BindContext& context, CheckBox& model, const ControlRef& checkBox);
std::unique_ptr<BoundControl> BindRadioGroup(BindContext& context, RadioGroup& model,
                                             const std::vector<ControlRef>& buttons,
                                             const std::optional<ControlRef>& groupBox);
std::unique_ptr<BoundControl> BindDropDown(BindContext& context, DropDown& model, const ControlRef& comboBox);
std::unique_ptr<BoundControl> BindEdit(BindContext& context, Edit& model, const ControlRef& edit);
std::unique_ptr<BoundControl> BindSpinEdit(BindContext& context, SpinEdit& model, const ControlRef& edit,
                                           const ControlRef& upDown);
std::unique_ptr<BoundControl> BindListBox(BindContext& context, ListBox& model, const ControlRef& listBox);
std::unique_ptr<BoundControl> BindCaption(BindContext& context, ControlModel& model, const ControlRef& window);
std::unique_ptr<BoundControl> BindPageControl(BindContext& context, PageControl& model, const ControlRef& tabs,
                                              const std::vector<HWND>& pages);
std::unique_ptr<BoundControl> BindStatusBar(BindContext& context, StatusBar& model, const ControlRef& statusBar);
std::unique_ptr<BoundControl> BindTimer(BindContext& context, Timer& model);

}  // namespace vandrel
