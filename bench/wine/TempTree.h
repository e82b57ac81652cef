#pragma once
// A Temp for the eraser's benchmarks: small empty files spread over folders.
#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

namespace vandrel {

// A path beside the benchmark's own exe.
inline std::string BesideThisProgram(const std::string& name) {
  char executable[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, executable, MAX_PATH);
  const std::string path(executable, length);
  return path.substr(0, path.find_last_of('\\')) + "\\" + name;
}

inline void MakeTempTree(const std::string& root, int files, int folders) {
  CreateDirectoryA(root.c_str(), nullptr);
  for (int f = 0; f < folders; ++f) {
    const std::string folder = root + "\\folder" + std::to_string(f);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files / folders; ++i) {
      const UniqueFileHandle file(CreateFileA((folder + "\\file" + std::to_string(i) + ".tmp").c_str(), GENERIC_WRITE,
                                              0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
  }
}

}  // namespace vandrel
