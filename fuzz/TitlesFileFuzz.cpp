// titles.dat as read at start-up: any bytes decode to entries, and writing
// those entries back gives a file that reads as the same entries. The first
// byte picks a second use of the input: a list of entries (separated by the
// second byte) that must survive a write and a read unchanged.
#include "FuzzCheck.h"
#include "blocklist/TitlesFile.h"

using vandrel::DecodeTitles;
using vandrel::EncodeTitles;
using vandrel::fuzz::AsText;
using vandrel::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = AsText(data, size);
  const std::vector<std::string> decoded = DecodeTitles(input);
  Require(DecodeTitles(EncodeTitles(decoded)) == decoded, "a file's entries are read back as written");

  if (size >= 2 && (data[0] & 1) != 0) {
    const std::vector<std::string> entries = vandrel::fuzz::SplitAt(input.substr(2), input[1]);
    const std::string content = EncodeTitles(entries);
    Require(DecodeTitles(content) == entries, "any entries are read back as written");
    // The reader stops at a NUL and splits at CR and LF: the writer must
    // never put one inside a record.
    Require(content.find('\0') == std::string::npos, "no NUL in the file");
    const std::size_t records = vandrel::SplitLines(content).size();
    Require(records == entries.size() || records == entries.size() + 1, "one record per entry, and the marker");
  }
  return 0;
}
