#pragma once
#include <windows.h>

#include "platform/win32/LateLibrary.h"

namespace vandrel {

// The calling thread's COM apartment (for the shell's list of browser
// windows and the shell's own calls), entered at construction and left at
// destruction on the same thread; ole32 is loaded with it. A refusal
// leaves the list unavailable, nothing else.
class ComApartment {
 public:
  ComApartment() {
    using InitialiseFunction = HRESULT(WINAPI*)(LPVOID);
    const auto initialise = ole32_.Find<InitialiseFunction>("CoInitialize");
    entered_ = initialise && SUCCEEDED(initialise(nullptr));
  }
  ~ComApartment() {
    using UninitialiseFunction = void(WINAPI*)();
    if (!entered_) return;
    if (const auto uninitialise = ole32_.Find<UninitialiseFunction>("CoUninitialize")) uninitialise();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  LateLibrary ole32_{"ole32.dll"};
  bool entered_ = false;
};

}  // namespace vandrel
