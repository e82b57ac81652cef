#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vandrel {

// Control models: the state of one control of a form and its handler, with
// the program's firing rules held here once for every form. A view binds a
// model to its real control: it sets `redraw` to repaint the control when
// code changes the model, and calls the User* methods when the user acts.

class ControlModel {
 public:
  std::function<void()> redraw;  // set by the view

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Change(caption_, std::move(caption)); }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { Change(hint_, std::move(hint)); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Change(enabled_, enabled); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { Change(visible_, visible); }

 protected:
  template <typename T>
  void Change(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    Redraw();
  }
  void Redraw() const {
    if (redraw) redraw();
  }

 private:
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool visible_ = true;
};

// A push button, toolbar button or menu item.
class Button : public ControlModel {
 public:
  std::function<void()> OnClick;
  int ImageIndex() const { return image_; }
  void SetImageIndex(int image) { Change(image_, image); }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { Change(checked_, checked); }
  void Click() {
    if (OnClick && Enabled()) OnClick();
  }
  // Its caption and what a click runs, as a form sets them up.
  void Design(const char* caption, std::function<void()> handler) {
    SetCaption(caption);
    OnClick = std::move(handler);
  }

 private:
  int image_ = -1;
  bool checked_ = false;
};

// Its click handler runs whenever the state changes, also from code.
class CheckBox : public ControlModel {
 public:
  std::function<void()> OnClick;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Redraw();
    if (OnClick) OnClick();
  }
  void UserToggle() { SetChecked(!checked_); }

 private:
  bool checked_ = false;
};

// Selecting another item, from code or by the user, runs the click handler;
// selecting the item it already has does nothing. -1 is "none selected".
class RadioGroup : public ControlModel {
 public:
  std::function<void()> OnClick;
  std::vector<std::string> Items;
  int ItemIndex() const { return index_; }
  void SetItemIndex(int index) {
    if (index_ == index) return;
    index_ = index;
    Redraw();
    if (OnClick) OnClick();
  }

 private:
  int index_ = -1;
};

// A drop-down list. Selecting from code fires nothing; the user's choice
// fires OnChange.
class DropDown : public ControlModel {
 public:
  std::function<void()> OnChange;
  std::vector<std::string> Items;
  int ItemIndex() const { return index_; }
  void SetItemIndex(int index) { Change(index_, index); }
  void UserSelect(int index) {
    index_ = index;
    if (OnChange) OnChange();
  }

 private:
  int index_ = -1;
};

class Edit : public ControlModel {
 public:
  std::function<void()> OnChange;
  const std::string& Text() const { return text_; }
  void SetText(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    Redraw();
    if (OnChange) OnChange();
  }
  // The view reports what the user typed; the control already shows it.
  void UserTyped(std::string text) {
    text_ = std::move(text);
    if (OnChange) OnChange();
  }

 private:
  std::string text_;
};

// A number box with up/down arrows; the value is kept within its range.
class SpinEdit : public ControlModel {
 public:
  SpinEdit(int min, int max) : min_(min), max_(max), value_(min) {}
  int Value() const { return value_; }
  void SetValue(int value) { Change(value_, Clamp(value)); }
  int Min() const { return min_; }
  int Max() const { return max_; }

 private:
  int Clamp(int value) const { return value < min_ ? min_ : (value > max_ ? max_ : value); }
  int min_, max_, value_;
};

class ListBox : public ControlModel {
 public:
  std::function<void()> OnClick;
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (index_ >= static_cast<int>(items_.size())) index_ = -1;
    Redraw();
  }
  int ItemIndex() const { return index_; }
  void SetItemIndex(int index) { Change(index_, index); }
  void UserSelect(int index) {
    index_ = index;
    if (OnClick) OnClick();
  }
  // The widest item in pixels, for the horizontal scroll extent.
  int ScrollWidth() const { return scrollWidth_; }
  void SetScrollWidth(int width) { Change(scrollWidth_, width); }

 private:
  std::vector<std::string> items_;
  int index_ = -1;
  int scrollWidth_ = 0;
};

// A timer fires OnTimer every Interval milliseconds while enabled. Setting
// the interval or enabling it restarts the count.
class Timer {
 public:
  explicit Timer(int interval = 1000, bool enabled = true) : interval_(interval), enabled_(enabled) {}
  std::function<void()> OnTimer;
  std::function<void()> redraw;  // set by the view: (re)arm or stop the real timer

  int Interval() const { return interval_; }
  void SetInterval(int interval) {
    interval_ = interval;
    atOnce_ = false;
    Restart();
  }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
  }
  // Enables the timer to fire once, as soon as the messages queued before
  // are handled (a system timer waits at least 10 ms), until the interval is
  // set again. Each request is one firing.
  void FireAtOnce() {
    enabled_ = true;
    atOnce_ = true;
    Restart();
  }
  bool ArmedAtOnce() const { return enabled_ && atOnce_; }
  void Fire() {
    if (enabled_ && OnTimer) OnTimer();
  }

 private:
  void Restart() const {
    if (redraw) redraw();
  }
  int interval_;
  bool enabled_;
  bool atOnce_ = false;
};

// A page control: its tabs' captions and the page shown.
class PageControl : public ControlModel {
 public:
  std::vector<std::string> Pages;
  int ActivePage() const { return active_; }
  void SetActivePage(int page) { Change(active_, page); }
  // The user picked a tab: the control shows it already.
  void UserSelect(int page) { active_ = page; }

 private:
  int active_ = 0;
};

class StatusBar : public ControlModel {
 public:
  struct Panel {
    std::string text;
    int width = 0;
  };
  explicit StatusBar(std::vector<Panel> panels) : panels_(std::move(panels)) {}
  const std::vector<Panel>& Panels() const { return panels_; }
  void SetPanelText(std::size_t panel, std::string text) { Change(panels_.at(panel).text, std::move(text)); }
  void SetPanelWidth(std::size_t panel, int width) { Change(panels_.at(panel).width, width); }

 private:
  std::vector<Panel> panels_;
};

// A picture box showing one image of an image list, by index.
class Picture : public ControlModel {
 public:
  int ImageIndex() const { return index_; }
  void SetImageIndex(int index) { Change(index_, index); }

 private:
  int index_ = 0;
};

// A radio group that carries a number for the handler it shares with others.
class TaggedRadioGroup : public RadioGroup {
 public:
  int Tag = 0;
};

}  // namespace vandrel
