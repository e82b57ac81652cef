#include "ui/win32/Binder.h"

#include <stdexcept>

#include "ui/win32/BoundControls.h"

namespace vandrel {

Binding::Binding(ControlModel& model, ControlRef window)
    : make_([&model, window](BindContext& context) { return BindCaption(context, model, window); }) {}

Binding::Binding(Button& model, ControlRef button)
    : make_([&model, button](BindContext& context) { return BindButton(context, model, button); }) {}

Binding::Binding(CheckBox& model, ControlRef checkBox)
    : make_([&model, checkBox](BindContext& context) { return BindCheckBox(context, model, checkBox); }) {}

Binding::Binding(RadioGroup& model, std::vector<ControlRef> buttons, std::optional<ControlRef> groupBox)
    : make_([&model, buttons = std::move(buttons), groupBox](BindContext& context) {
        return BindRadioGroup(context, model, buttons, groupBox);
      }) {}

Binding::Binding(DropDown& model, ControlRef comboBox)
    : make_([&model, comboBox](BindContext& context) { return BindDropDown(context, model, comboBox); }) {}

Binding::Binding(Edit& model, ControlRef edit)
    : make_([&model, edit](BindContext& context) { return BindEdit(context, model, edit); }) {}

Binding::Binding(SpinEdit& model, ControlRef edit, ControlRef upDown)
    : make_([&model, edit, upDown](BindContext& context) { return BindSpinEdit(context, model, edit, upDown); }) {}

Binding::Binding(ListBox& model, ControlRef listBox)
    : make_([&model, listBox](BindContext& context) { return BindListBox(context, model, listBox); }) {}

Binding::Binding(StatusBar& model, ControlRef statusBar)
    : make_([&model, statusBar](BindContext& context) { return BindStatusBar(context, model, statusBar); }) {}

Binding::Binding(PageControl& model, ControlRef tabs, std::vector<HWND> pages)
    : make_([&model, tabs, pages = std::move(pages)](BindContext& context) {
        return BindPageControl(context, model, tabs, pages);
      }) {}

Binding::Binding(Timer& model) : make_([&model](BindContext& context) { return BindTimer(context, model); }) {}

std::unique_ptr<BoundControl> Binding::Make(BindContext& context) const { return make_(context); }

Binder::Binder() = default;
Binder::~Binder() = default;

void Binder::Bind(HWND form, std::initializer_list<Binding> table) {
  if (!context_) context_ = std::make_unique<BindContext>(form);
  if (context_->Form() != form) throw std::logic_error("A binder serves one form");
  for (const Binding& row : table) {
    bound_.push_back(row.Make(*context_));
    bound_.back()->Redraw();
  }
}

void Binder::Unbind() { bound_.clear(); }

bool Binder::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  for (const auto& bound : bound_) {
    if (bound->Route(message, wParam, lParam, result)) return true;
  }
  return false;
}

}  // namespace vandrel
