#include "blocklist/TitlesStore.h"

#include <new>

#include "blocklist/TitlesFile.h"
#include "platform/PlatformError.h"

namespace vandrel {
namespace {

FileDialogRequest BlockListFileDialog(const char* defaultExtension) {
  FileDialogRequest request;
  request.filter = kBlockListFilter;
  request.fileName = kTitlesFileName;
  request.defaultExtension = defaultExtension;
  return request;
}

}  // namespace

std::string FileBesideExecutable(SystemInfo& system, std::string_view name) {
  const std::string executable = system.ExecutablePath();
  const auto folderEnd = executable.find_last_of("\\/:");
  const std::string folder = folderEnd == std::string::npos ? std::string() : executable.substr(0, folderEnd + 1);
  return folder + std::string(name);
}

std::string FreeDamagedCopyPath(FileSystem& files, SystemInfo& system, std::string_view stem) {
  std::string copy = FileBesideExecutable(system, std::string(stem) + ".dat");
  for (int number = 2; files.Exists(copy) && number < kMaxDamagedCopies; ++number) {
    copy = FileBesideExecutable(system, std::string(stem) + "-" + std::to_string(number) + ".dat");
  }
  return copy;
}

std::string TitlesStore::TitlesPath() { return FileBesideExecutable(system_, kTitlesFileName); }

std::optional<std::string> TitlesStore::Read(const std::string& path) {
  try {
    return files_.ReadWhole(path);
  } catch (const PlatformError&) {
  } catch (const std::bad_alloc&) {  // a file larger than the memory left
  }
  return std::nullopt;
}

bool TitlesStore::AddDecoded(BlockList& list, std::string_view content) {
  try {
    list.AddAll(DecodeTitles(content));  // adds all or, on a throw, nothing
    return true;
  } catch (const std::bad_alloc&) {  // a file larger than the memory left
    return false;
  }
}

std::optional<std::string> TitlesStore::ReadOrReport(const std::string& path) {
  auto content = Read(path);
  if (!content) prompts_.ShowError(FormatMessageText(kCannotOpenFile, path));
  return content;
}

bool TitlesStore::WriteOrReport(const std::string& path, const std::string& content) {
  try {
    files_.WriteWholeAtomically(path, content);
    return true;
  } catch (const PlatformError&) {
    prompts_.ShowError(FormatMessageText(kCannotCreateFile, path));
    return false;
  }
}

bool TitlesStore::KeepDamagedCopy() {
  if (!damagedContent_) return true;
  const std::string copy = FreeDamagedCopyPath(files_, system_, kDamagedTitlesName);
  if (!WriteOrReport(copy, *damagedContent_)) return false;
  damagedContent_.reset();
  prompts_.Message(MessageKind::Warning, FormatMessageText(kTitlesDamaged, copy), MessageButtons::Ok);
  return true;
}

void TitlesStore::LoadTitles(BlockList& list) {
  loaded_ = true;
  const std::string path = TitlesPath();
  if (!files_.Exists(path)) return;
  const auto content = Read(path);
  unreadFileKept_ = !content || !AddDecoded(list, *content);
  if (unreadFileKept_) return prompts_.ShowError(FormatMessageText(kCannotOpenFile, path));
  NoteDamage(*content);
}

void TitlesStore::NoteDamage(const std::string& content) {
  // The entries after a NUL are lost to the list, not to the user: the file
  // as it was is kept before any save writes over it.
  if (!LosesLinesAfterNul(content)) return;
  damagedContent_ = content;
  KeepDamagedCopy();
}

void TitlesStore::SaveTitlesClick(BlockList& list) {
  // Before the load (a box shown during start-up runs the session's end
  // and the tray), the list holds only what was added meanwhile.
  if (!loaded_) return;
  const std::string path = TitlesPath();
  if (unreadFileKept_ && files_.Exists(path)) {
    const auto content = Read(path);
    if (!content || !AddDecoded(list, *content)) {
      prompts_.ShowError(FormatMessageText(kCannotCreateFile, path));
      return;
    }
    unreadFileKept_ = false;
    NoteDamage(*content);
  }
  unreadFileKept_ = false;
  if (!KeepDamagedCopy()) return;
  WriteOrReport(path, EncodeTitles(list.Entries()));
}

void TitlesStore::ExportClick(const BlockList& list) {
  const auto path = prompts_.SaveFile(BlockListFileDialog(kExportExtension));
  if (!path) return;
  if (files_.Exists(*path) &&
      prompts_.Message(MessageKind::Confirmation, kConfirmOverwrite, MessageButtons::YesNo) != Answer::Yes) {
    return;
  }
  WriteOrReport(*path, JoinLines(list.Entries()));
}

void TitlesStore::ImportClick(BlockList& list) {
  const auto path = prompts_.OpenFile(BlockListFileDialog(kImportExtension));
  if (!path || !files_.Exists(*path)) return;
  const auto content = ReadOrReport(*path);
  if (!content) return;
  std::vector<std::string> lines = SplitLines(*content);
  std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  list.AddMissing(lines);
  prompts_.Message(MessageKind::Information, kTitlesImported, MessageButtons::Ok);
}

}  // namespace vandrel
