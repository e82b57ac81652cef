#include "eraser/KeptReport.h"

#include "platform/FullPath.h"
#include "platform/PlatformError.h"

namespace vandrel {

std::string KeptReport::Path() {
  return PathUnder(PathUnder(shell_.SpecialFolderPath(SpecialFolder::AppData), kKeptReportFolder), kKeptReportName);
}

void KeptReport::Save(const std::string& text) {
  notKept_ = text;
  const std::string path = Path();
  const std::string folder = path.substr(0, path.find_last_of('\\'));
  if (path.empty() || !files_.MakeFolderUtf8(folder)) {
    throw PlatformError(FormatMessageText(kCannotCreateFile, path.empty() ? kKeptReportName : path));
  }
  files_.WriteWholeAtomicallyUtf8(path, text);
  notKept_.reset();
}

std::optional<std::string> KeptReport::Load() {
  if (notKept_) return notKept_;
  const std::string path = Path();
  if (path.empty() || !files_.ExistsUtf8(path)) return std::nullopt;
  return files_.ReadWholeInPiecesUtf8(path, {});
}

}  // namespace vandrel
