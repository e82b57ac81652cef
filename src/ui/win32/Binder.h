#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "ui/Controls.h"

namespace vandrel {

class BoundControl;
class BindContext;

// Where the binder creates a control, in pixels of the form's client area.
struct Place {
  int left, top, width, height;
};

// The real control that a model is drawn in: an existing child of the form
// by its id (a dialog item) or by its handle, or one that the binder creates
// with the given id at the given place.
class ControlRef {
 public:
  ControlRef(int id) : id_(id) {}
  ControlRef(HWND window) : window_(window) {}
  ControlRef(int id, Place place) : id_(id), place_(place) {}

  int Id() const { return id_; }
  HWND Existing() const { return window_; }
  const std::optional<Place>& WhereToCreate() const { return place_; }

 private:
  int id_ = 0;
  HWND window_ = nullptr;
  std::optional<Place> place_;
};

// One row of a view's table: a control model and the real control (or
// controls) it is drawn in. The kind of control follows from the model.
class Binding {
 public:
  // A label, or an existing frame: caption and state only.
  Binding(ControlModel& model, ControlRef window);
  Binding(Button& model, ControlRef button);
  Binding(CheckBox& model, ControlRef checkBox);
  // One radio button per item, in item order; the group box is optional.
  Binding(RadioGroup& model, std::vector<ControlRef> buttons, std::optional<ControlRef> groupBox = {});
  Binding(DropDown& model, ControlRef comboBox);
  Binding(Edit& model, ControlRef edit);
  Binding(SpinEdit& model, ControlRef edit, ControlRef upDown);
  Binding(ListBox& model, ControlRef listBox);
  Binding(StatusBar& model, ControlRef statusBar);
  // A tab control and the window of each page, in tab order.
  Binding(PageControl& model, ControlRef tabs, std::vector<HWND> pages);
  Binding(Timer& model);  // a timer needs nothing but the form

  std::unique_ptr<BoundControl> Make(BindContext& context) const;

 private:
  std::function<std::unique_ptr<BoundControl>(BindContext&)> make_;
};

// Binds a form's control models to its real controls in both directions:
// each model's `redraw` pushes its state to the control, and the form's
// window procedure hands its messages to Route(), which turns notifications
// into the models' user actions and WM_TIMER into Timer::Fire(). Timers run
// on the form's window with ids the binder allocates. The models must
// outlive the binder (a form model outlives its view).
class Binder {
 public:
  Binder();
  ~Binder();
  Binder(const Binder&) = delete;
  Binder& operator=(const Binder&) = delete;

  // Binds the rows and draws every model once. May be called more than once.
  void Bind(HWND form, std::initializer_list<Binding> table);
  // Detaches every model and stops the timers; the form calls it at WM_DESTROY.
  void Unbind();

  // True when `message` was a bound control's notification or timer, with
  // the result to return (a dialog puts it in DWLP_MSGRESULT). WM_SIZE is
  // passed to the status bars and left unhandled for the form.
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  std::unique_ptr<BindContext> context_;
  std::vector<std::unique_ptr<BoundControl>> bound_;
};

}  // namespace vandrel
