#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// The layouts of the block list's files.
//
// titles.dat holds one record per entry: the entry's scrambled bytes
// (CryptString) followed by CR LF. Scrambling maps '0', '7' and ':' to LF,
// CR and NUL, which the reader takes for line ends and the end of the file,
// so a list with such an entry is written in the escaped layout instead:
// a first record holding the scrambled marker, then one record per entry
// with ESC written as ESC ESC, '0' as ESC 'Z', '7' as ESC 'S' and ':' as
// ESC 'C' before scrambling. A list without those characters is written
// in the plain layout, byte for byte as it always was.
//
// Export and import files are the same lines without scrambling or escapes.

inline constexpr char kTitlesEscape = '\x1B';
// Holds none of '0', '7', ':', and no escaped entry can equal it, since an
// escaped entry never has a lone ESC.
inline constexpr std::string_view kEscapedLayoutMarker =
    "\x1B\x1B\x1B"
    "Vandrel escaped titles\x1B\x1B\x1B";

// Splits a file's content into lines the way every reader here does: a
// line ends at CR LF, a lone CR or a lone LF; a NUL byte ends the content.
// Text after the last line end is a line too; an empty content has none.
std::vector<std::string> SplitLines(std::string_view content);

// The content of titles.dat for these entries, in their order.
std::string EncodeTitles(const std::vector<std::string>& entries);
// The entries of a titles.dat content, in file order, in either layout. An
// escape that is not one of the four is kept as it stands.
std::vector<std::string> DecodeTitles(std::string_view content);

// True when a NUL byte ends the content before its end: the lines after
// it are not read (a damaged file, or one written with a ':' in an entry by
// a writer older than the escaped layout).
bool LosesLinesAfterNul(std::string_view content);
// Plain text lines, each ended by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace vandrel
