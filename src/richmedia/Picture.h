#pragma once
#include "ui/Controls.h"

namespace vandrel {

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
