#pragma once
#include <windows.h>

#include <string>

namespace vandrel {

// A library of Windows, loaded from the system folder by its full path: a
// bare name is searched for in the program's own folder first, where a
// folder that every user can write (an install under a drive's root) would
// let anybody's library run in this process. Null when it cannot be loaded;
// a missing library puts up no system box.
inline HMODULE LoadSystemLibrary(const char* fileName) {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return nullptr;
  std::wstring path(folder, length);
  path += L'\\';
  for (const char* at = fileName; *at; ++at) path += static_cast<wchar_t>(static_cast<unsigned char>(*at));
  const UINT previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS);
  // What the library needs in turn is looked for beside it, not beside the program.
  const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetErrorMode(previousMode);
  return module;
}

}  // namespace vandrel
