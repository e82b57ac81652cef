// The viewer's dump of an index file: every line is 26 shown characters and
// its end, no control byte shows, and the dump made in pieces (cut where the
// input's first bytes say) is the byte-by-byte dump. Input: two bytes of
// piece sizes, then the file.
#include "FuzzCheck.h"
#include "viewer/DumpCursor.h"
#include "viewer/DumpLines.h"

using namespace vandrel;
using vandrel::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t pieces[] = {std::size_t{data[0]} + 1, std::size_t{data[1]} * 7 + 1};
  const std::uint8_t* file = data + 2;
  const std::size_t fileSize = size - 2;

  const std::string whole = DumpLines(file, fileSize);
  const std::size_t lines = (fileSize + kDumpLineWidth - 1) / kDumpLineWidth;
  const std::size_t lineSize = kDumpLineWidth + kDumpLineEndSize;
  Require(whole.size() == lines * lineSize, "a line of the wrong length");
  for (std::size_t line = 0; line < lines; ++line) {
    for (std::size_t at = 0; at < kDumpLineWidth; ++at) {
      const std::size_t byte = line * kDumpLineWidth + at;
      const std::uint8_t value = byte < fileSize ? file[byte] : ' ';  // the last line is padded
      const char expected = value < 0x20 ? '.' : static_cast<char>(value);
      Require(whole[line * lineSize + at] == expected, "a character other than its byte's");
      Require(static_cast<unsigned char>(expected) >= 0x20, "a control byte shown");
    }
    Require(whole.compare(line * lineSize + kDumpLineWidth, kDumpLineEndSize, kDumpLineEnd) == 0,
            "a line without its end");
  }

  DumpCursor cursor(file, fileSize);
  std::string pieced;
  for (std::size_t turn = 0; !cursor.AtEnd(); ++turn) cursor.FormatNext(pieces[turn % 2], pieced);
  Require(pieced.size() == DumpCursor::TextSize(fileSize), "the text size before the end");
  cursor.Finish(pieced);
  Require(pieced == whole, "the dump in pieces differs from the dump byte by byte");
  return 0;
}
