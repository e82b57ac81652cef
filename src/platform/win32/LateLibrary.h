#pragma once
#include <windows.h>

#include "platform/win32/FunctionLookup.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemLibrary.h"

namespace vandrel {

// A system library loaded at the first call into it rather than with the
// program: under Wine every library in the import table lengthens the time
// before the main window is on the screen, and these are needed only later
// (the tray icon, a sound, the shell, COM). It is freed with this object.
// fileName names a library of the system folder.
class LateLibrary {
 public:
  explicit LateLibrary(const char* fileName) : fileName_(fileName) {}
  LateLibrary(const LateLibrary&) = delete;
  LateLibrary& operator=(const LateLibrary&) = delete;

  // Loads the library at the first call; false when it cannot be loaded.
  bool Load() {
    if (!tried_) {
      tried_ = true;
      module_.reset(LoadSystemLibrary(fileName_));
    }
    return static_cast<bool>(module_);
  }

  // The function, typed; null when the library or the function is missing.
  template <typename Function>
  Function Find(const char* name) {
    return Load() ? LookupFunction<Function>(module_.get(), name) : nullptr;
  }

 private:
  const char* fileName_;
  bool tried_ = false;
  UniqueModule module_;
};

}  // namespace vandrel
