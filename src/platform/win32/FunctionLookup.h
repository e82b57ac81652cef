#pragma once
#include <windows.h>

namespace vandrel {

// A library's function looked up at run time, typed; null when the library
// is missing (a null module) or does not export it.
template <typename Function>
Function LookupFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace vandrel
