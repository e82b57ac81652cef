#pragma once
#include <functional>
#include <utility>

#include "platform/WindowEvents.h"

namespace vandrel {

// Window events raised by the test.
class MemoryWindowEvents : public WindowEvents {
 public:
  bool Listen(std::function<void(WindowHandle window)> onEvent) override {
    if (refuses) return false;
    onEvent_ = std::move(onEvent);
    return true;
  }
  void StopListening() override { onEvent_ = nullptr; }

  bool Listening() const { return static_cast<bool>(onEvent_); }
  // Another program created, showed or renamed a window: heard only while listening.
  void Raise(WindowHandle window = 0) const {
    if (onEvent_) onEvent_(window);
  }

  bool refuses = false;

 private:
  std::function<void(WindowHandle window)> onEvent_;
};

}  // namespace vandrel
