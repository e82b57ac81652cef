#pragma once
#include <string>
#include <vector>

#include "platform/Sound.h"

namespace vandrel {

class MemorySound : public Sound {
 public:
  void PlayFileAsync(const std::string& fileName) override { played.push_back(fileName); }
  std::vector<std::string> played;
};

}  // namespace vandrel
