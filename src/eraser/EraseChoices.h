#pragma once

namespace vandrel {

// The traces the user chose on the options dialog's eraser page.
struct EraseSelection {
  bool cache = false;
  bool cookies = false;
  bool history = false;
  bool all = false;  // every browser trace and the stored form passwords
  bool favorites = false;
  bool locationBar = false;
  bool recent = false;
  bool tempFolder = false;
  bool recycleBin = false;
  bool mediaPlayer = false;
  bool realOne = false;

  bool Any() const {
    return cache || cookies || history || all || favorites || locationBar || recent || tempFolder || recycleBin ||
           mediaPlayer || realOne;
  }
};

// The check boxes as they are now; read afresh at every check, since the
// user may change them between erases.
class EraseChoices {
 public:
  virtual ~EraseChoices() = default;
  virtual EraseSelection Current() = 0;
};

}  // namespace vandrel
