// Measures the eraser's safe tree delete under Wine against the shell's own
// "rd /s /q" of the same tree, in one run: a tree of small files spread over
// folders (100,000 files in 1,000 folders unless given as arguments).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "WineTiming.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32TraceFiles.h"

namespace {

using namespace vandrel;

void MakeTree(const std::string& root, int files, int folders) {
  CreateDirectoryA(root.c_str(), nullptr);
  const int perFolder = files / folders;
  for (int f = 0; f < folders; ++f) {
    const std::string folder = root + "\\folder" + std::to_string(f);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < perFolder; ++i) {
      const UniqueFileHandle file(CreateFileA((folder + "\\file" + std::to_string(i) + ".txt").c_str(), GENERIC_WRITE,
                                              0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      DWORD written = 0;
      WriteFile(file.get(), "trace", 5, &written, nullptr);
    }
  }
}

bool RunShellDelete(const std::string& root) {
  std::string command = "cmd /c rd /s /q \"" + root + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  const UniqueHandle thread(process.hThread), child(process.hProcess);
  return WaitForSingleObject(child.get(), INFINITE) == WAIT_OBJECT_0;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100'000;
  const int folders = argc > 2 ? std::atoi(argv[2]) : 1'000;
  char executable[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, executable, MAX_PATH);
  const std::string exePath(executable, length);
  const std::string root = exePath.substr(0, exePath.find_last_of('\\')) + "\\delete-bench";

  Win32TraceFiles traces;
  MakeTree(root, files, folders);
  DeleteCounts counts;
  const double safeMs = MicrosecondsOf([&] { counts = traces.DeleteTree(root, {}); }) / 1000;
  const bool safeGone = GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES;

  MakeTree(root, files, folders);
  const double shellMs = MicrosecondsOf([&] { RunShellDelete(root); }) / 1000;
  const bool shellGone = GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES;

  std::printf(
      "wine: tree of %d files in %d folders: safe delete %.0f ms (%zu removed, %zu skipped), rd /s /q %.0f ms\n", files,
      folders, safeMs, counts.removed, counts.skipped, shellMs);
  std::printf("ratio wine delete tree safe/rd = %.2f (goal <= 1.2)\n", safeMs / shellMs);
  if (!safeGone || !shellGone) std::printf("wine: a delete left the tree behind\n");
  return safeGone && shellGone ? 0 : 1;
}
