#pragma once
#include <cstdint>
#include <vector>

#include "platform/Desktop.h"

namespace vandrel {

// A mouse button pressed, or Enter or Space, and the top-level window it went
// to: the one under the pointer, or the one holding the keyboard's focus.
struct UserInput {
  std::uint32_t at = 0;  // milliseconds, on the clock of UserInputs::Now
  WindowHandle window = 0;
};

// Hears the user's clicks and key presses in every program's windows, and
// keeps them until they are taken. Input another program injects counts as
// the user's: tests and accessibility tools type that way.
class UserInputs {
 public:
  virtual ~UserInputs() = default;

  // Starts hearing, or goes on hearing; false when the system refuses.
  virtual bool Watch() = 0;
  // Stops hearing and forgets what was not taken.
  virtual void StopWatching() = 0;
  // Moves the inputs heard since the last take into `into` (cleared first),
  // oldest first.
  virtual void Take(std::vector<UserInput>& into) = 0;
  // The clock the inputs are stamped with.
  virtual std::uint32_t Now() = 0;
};

}  // namespace vandrel
