#pragma once
#include <cstddef>

#include "ui/Controls.h"

namespace vandrel {

// A progress gauge from 0 to its maximum.
class Gauge : public ControlModel {
 public:
  std::size_t MaxValue() const { return max_; }
  void SetMaxValue(std::size_t max) { Change(max_, max); }
  std::size_t Progress() const { return progress_; }
  void SetProgress(std::size_t progress) { Change(progress_, progress); }
  bool Full() const { return progress_ >= max_; }

 private:
  std::size_t max_ = 100;
  std::size_t progress_ = 0;
};

}  // namespace vandrel
