#include "eraser/KeptReport.h"

#include <utility>

#include "platform/FullPath.h"
#include "platform/PlatformError.h"

namespace vandrel {

std::string KeptReport::Path() {
  return PathUnder(PathUnder(shell_.SpecialFolderPath(SpecialFolder::AppData), kKeptReportFolder), kKeptReportName);
}

void KeptReport::Save(const std::string& text) {
  try {
    const std::string path = Path();
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    if (path.empty() || !files_.MakeFolderUtf8(folder)) {
      throw PlatformError(FormatMessageText(kCannotCreateFile, path.empty() ? kKeptReportName : path));
    }
    files_.WriteWholeAtomicallyUtf8(path, text);
    notKept_.reset();
  } catch (const PlatformError& error) {
    NotKept held{kReportNotKept + std::string(error.what()) + "\r\n\r\n" + text, std::nullopt};
    try {
      held.fileThen = ReadKept();
    } catch (const PlatformError&) {
      // Unreadable now: a later kept report is told by being readable.
    }
    notKept_ = std::move(held);
    throw;
  }
}

std::optional<std::string> KeptReport::ReadKept() {
  const std::string path = Path();
  if (path.empty() || !files_.ExistsUtf8(path)) return std::nullopt;
  return files_.ReadWholeInPiecesUtf8(path, {});
}

std::optional<std::string> KeptReport::Load() {
  std::optional<std::string> kept;
  try {
    kept = ReadKept();
  } catch (const PlatformError&) {
    if (notKept_) return notKept_->text;
    throw;
  }
  // Another process kept a report since: that one is newer.
  if (notKept_ && kept != notKept_->fileThen) notKept_.reset();
  return notKept_ ? notKept_->text : kept;
}

}  // namespace vandrel
