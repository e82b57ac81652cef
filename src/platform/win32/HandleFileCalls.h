#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/FullPath.h"

namespace vandrel {

// The calls that work on an open file handle rather than on a path, so that
// what was checked is what gets changed. The newer ones are looked up at run
// time: GetFinalPathNameByHandleW and SetFileInformationByHandle are Vista
// and later; before that ntdll's NtQueryObject and NtSetInformationFile do
// the same.
class HandleFileCalls {
 public:
  HandleFileCalls();

  // Where the handle really leads, links resolved; nothing when that cannot
  // be read. Without GetFinalPathNameByHandleW (XP), and where it fails
  // (Wine's, on paths over MAX_PATH), the object's name stands in: the
  // volume's device with the path on it, or under Wine a drive path. XP names
  // the path there as it was opened, 8.3 names and letter case included.
  std::optional<FullPath> FinalPath(HANDLE file) const;
  // Clears read-only, hidden and system, which would stop the delete.
  bool ClearAttributes(HANDLE file) const { return SetAttributes(file, FILE_ATTRIBUTE_NORMAL); }
  // Sets the attributes a file can be given (read-only, hidden, system,
  // archive, ...) to those of `attributes`: how a file that stays gets back
  // what ClearAttributes took.
  bool SetAttributes(HANDLE file, DWORD attributes) const;
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
