#pragma once
#include <utility>

#include "platform/UserInputs.h"

namespace vandrel {

// Clicks and keys the test makes, at the time it sets; heard only while watching.
class MemoryUserInputs : public UserInputs {
 public:
  bool Watch() override { return watching = true; }
  void StopWatching() override { watching = false, heard_.clear(); }
  void Take(std::vector<UserInput>& into) override { into = std::exchange(heard_, {}); }
  std::uint32_t Now() override { return now; }
  void Press(WindowHandle window) {
    if (watching) heard_.push_back({now, window});
  }

  std::uint32_t now = 0;
  bool watching = false;

 private:
  std::vector<UserInput> heard_;
};

}  // namespace vandrel
