#pragma once
#include <cstdint>
#include <vector>

#include "platform/Desktop.h"
#include "platform/UserInputs.h"

namespace vandrel {

// How long after a click or key press in a browser frame a new frame of its
// process still counts as the window the user asked for. The browser makes
// that window while it handles the input (a link's target, a script's
// window in the click's handler, File > New Window), well within a second
// even on a slow machine of its day; two seconds leave room for a busy one
// and keep short the time in which a page's timed pop-up could take the
// user's click instead.
inline constexpr std::int32_t kOpenedWithin = 2000;

// A mouse button pressed in a browser frame, or Enter or Space while one
// has the focus, lets through the one new frame that frame's process opens
// soon after: the browser opens a link's window, File > New Window and
// Ctrl+N in the opener's process. One input lets through one window, the
// first new one; a later window is judged as ever.
class InputLetThrough {
 public:
  InputLetThrough(UserInputs& inputs, Desktop& desktop) : inputs_(inputs), desktop_(desktop) {}
  InputLetThrough(const InputLetThrough&) = delete;
  InputLetThrough& operator=(const InputLetThrough&) = delete;

  // Input is heard exactly while this is on (blocking and the setting on);
  // off forgets what was heard. A system that refuses is asked again only
  // after an off.
  void SetWatching(bool on);
  // A tick begins, before it looks at the desktop: takes the inputs heard
  // since the tick before and keeps those that went to a visible browser
  // frame, so that no input heard after the look lets through a window the
  // look finds.
  void TickStarted();
  // A browser frame the tick sees for the first time: true when an input
  // not used yet went to a frame of the same process no more than the bound
  // before the frame may have appeared (since the tick before); that input
  // is used then.
  bool Claims(WindowHandle frame);

 private:
  struct Input {
    std::uint32_t at;
    std::uint32_t process;
  };
  bool FromBrowserFrame(WindowHandle window);

  UserInputs& inputs_;
  Desktop& desktop_;
  bool watching_ = false;
  bool refused_ = false;
  bool lookedBefore_ = false;  // a tick looked since the watch began
  bool firstLook_ = true;
  std::uint32_t tickBefore_ = 0;
  std::uint32_t tick_ = 0;
  std::vector<UserInput> heard_;  // reused
  std::vector<Input> unused_;     // oldest first
  ClassText className_;
};

}  // namespace vandrel
