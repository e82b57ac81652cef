#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "eraser/FullPath.h"

namespace vandrel {

// The calls that work on an open file handle rather than on a path, so that
// what was checked is what gets changed. The newer ones are looked up at run
// time: GetFinalPathNameByHandleW and SetFileInformationByHandle are Vista
// and later; before that ntdll's NtSetInformationFile does the same, and
// the path as opened stands for the final path (XP marks every link as a
// reparse point, which the delete checks first).
class HandleFileCalls {
 public:
  HandleFileCalls();

  // Where the handle really leads, links resolved; nothing when that cannot
  // be read. Wine's GetFinalPathNameByHandleW fails on paths over MAX_PATH;
  // the object's name, which Wine gives as a drive path, stands in then.
  std::optional<FullPath> FinalPath(HANDLE file, const std::wstring& pathAsOpened) const;
  // Clears read-only, hidden and system, which would stop the delete.
  bool ClearAttributes(HANDLE file) const;
  // The file or empty folder goes when the handle closes.
  bool MarkForDeletion(HANDLE file) const;

 private:
  using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  using SetByHandleFunction = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
  using NtSetFunction = LONG(WINAPI*)(HANDLE, void*, PVOID, ULONG, int);
  using NtQueryObjectFunction = LONG(WINAPI*)(HANDLE, int, PVOID, ULONG, PULONG);

  std::optional<FullPath> ObjectName(HANDLE file) const;

  bool SetInformation(HANDLE file, int byHandleClass, int ntClass, void* information, DWORD size) const;

  FinalPathFunction finalPath_ = nullptr;
  SetByHandleFunction setByHandle_ = nullptr;
  NtSetFunction ntSet_ = nullptr;
  NtQueryObjectFunction ntQueryObject_ = nullptr;
};

}  // namespace vandrel
