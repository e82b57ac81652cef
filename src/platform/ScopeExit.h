#pragma once
#include <utility>

namespace vandrel {

// Runs an action when the scope ends, also when an exception leaves it.
template <typename Action>
class [[nodiscard]] ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Action action_;
};

// Sets `flag` to `value` until the scope ends, then to the opposite.
inline auto FlagFor(bool& flag, bool value = true) {
  flag = value;
  return ScopeExit([&flag, value] { flag = !value; });
}

}  // namespace vandrel
