#pragma once
#include <windows.h>

#include "platform/win32/LateLibrary.h"

namespace vandrel {

// The calling thread's COM apartment (the GUI thread's for the shell's own
// calls, the reading thread's multithreaded one for the shell's list of
// browser windows), entered at construction and left at destruction on the
// same thread; ole32 is loaded with it. A refusal leaves the list
// unavailable, nothing else.
class ComApartment {
 public:
  enum class Kind : DWORD { SingleThreaded = COINIT_APARTMENTTHREADED, Multithreaded = COINIT_MULTITHREADED };
  explicit ComApartment(Kind kind = Kind::SingleThreaded) {
    using InitialiseFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto initialise = ole32_.Find<InitialiseFunction>("CoInitializeEx");
    entered_ = initialise && SUCCEEDED(initialise(nullptr, static_cast<DWORD>(kind)));
  }
  ~ComApartment() {
    using UninitialiseFunction = void(WINAPI*)();
    if (!entered_) return;
    if (const auto uninitialise = ole32_.Find<UninitialiseFunction>("CoUninitialize")) uninitialise();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Entered() const { return entered_; }

 private:
  LateLibrary ole32_{"ole32.dll"};
  bool entered_ = false;
};

}  // namespace vandrel
