#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/Handles.h"

namespace vandrel {

// The file a save writes beside its target and then renames over it, so the
// rename stays on one volume. Its name is "vdl", three hex digits and ".tmp":
// no longer than "titles.dat", so a temporary fits wherever the list's file
// fits. Earlier builds named theirs "vdl", one to four hex digits, ".tmp".
class SaveTemporary {
 public:
  // Creates a new, empty temporary in the folder, a prefix that is empty
  // (the current folder) or ends in '\', '/' or ':'. Wide, so that a folder
  // the ANSI code page cannot spell is written under its own name.
  explicit SaveTemporary(const std::wstring& folderPrefix);
  // Closes it, and deletes it unless it became the target.
  ~SaveTemporary();
  SaveTemporary(const SaveTemporary&) = delete;
  SaveTemporary& operator=(const SaveTemporary&) = delete;

  bool Created() const { return static_cast<bool>(file_); }
  HANDLE File() const { return file_.get(); }
  // Closes the file and moves it over the target, replacing it; false when
  // the move failed (the target is then untouched). A target that another
  // program holds open is waited for a moment (at most about 0.3 s).
  bool CloseAndMoveOver(const std::wstring& target);

 private:
  UniqueFileHandle file_;
  std::wstring path_;
  bool moved_ = false;
};

// Whether a file name is one of the temporaries of this program's saves,
// those of earlier builds included.
bool IsSaveTemporaryName(std::string_view name);

// Deletes the temporaries that saves cut off before their rename (the
// program was killed) left in the folder: plain files named as ours only,
// never a folder, a link or the target itself. A temporary another save is
// still writing cannot be deleted and stays; any failure is ignored. Only
// for the program's own folder: elsewhere the names (those GetTempFileName
// gives with the prefix "vdl") may be another program's.
void RemoveStaleSaveTemporaries(const std::string& folderPrefix, std::string_view targetName);

}  // namespace vandrel
