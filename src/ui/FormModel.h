#pragma once
#include <functional>
#include <optional>
#include <string>

namespace vandrel {

// The key code a form's key handler receives for Esc.
inline constexpr int kEscapeKey = 27;

// A form's own window state: caption, visibility and outer width, drawn by
// its view. `activate` brings the application to the front.
class FormModel {
 public:
  std::function<void()> redraw;
  std::function<void()> activate;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Redraw();
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) {
    visible_ = visible;
    Redraw();
  }
  // Nothing while the designed size holds.
  std::optional<int> OuterWidth() const { return outerWidth_; }
  void SetOuterWidth(int width) {
    outerWidth_ = width;
    Redraw();
  }
  void BringToFront() {
    if (activate) activate();
  }

 private:
  void Redraw() const {
    if (redraw) redraw();
  }
  std::string caption_;
  bool visible_ = true;
  std::optional<int> outerWidth_;
};

}  // namespace vandrel
