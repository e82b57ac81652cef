#include "viewer/DumpLines.h"

namespace vandrel {

std::string DumpLines(const std::uint8_t* data, std::size_t size) {
  std::string text;
  std::string line;
  for (std::size_t i = 0; i < size; ++i) {
    if (i % kDumpLineWidth == 0) {
      if (!line.empty()) text += line + kDumpLineEnd;
      line.assign(kDumpLineWidth, ' ');
    }
    line[i % kDumpLineWidth] = DumpCharacter(data[i]);
  }
  if (!line.empty()) text += line + kDumpLineEnd;
  return text;
}

}  // namespace vandrel
