#pragma once
#include <string>

namespace vandrel {

// Plays a wave file by name, asynchronously; a new sound cuts off the one
// still playing. Failures are not reported.
class Sound {
 public:
  virtual ~Sound() = default;
  virtual void PlayFileAsync(const std::string& fileName) = 0;
};

}  // namespace vandrel
