#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace vandrel {

// A dump line stands for this many bytes of the file, one character each.
inline constexpr std::size_t kDumpLineWidth = 26;
// Every dump line ends so in the memo's text.
inline constexpr const char kDumpLineEnd[] = "\r\n";
inline constexpr std::size_t kDumpLineEndSize = sizeof(kDumpLineEnd) - 1;

// The character a byte is shown as: a control byte (below 0x20) as ".",
// every other byte as itself.
constexpr char DumpCharacter(std::uint8_t byte) { return byte < 0x20 ? '.' : static_cast<char>(byte); }

// The whole dump of `size` bytes, byte by byte: a line of kDumpLineWidth
// characters per kDumpLineWidth bytes, the last one filled up with spaces,
// each ending with kDumpLineEnd. No bytes give no line.
std::string DumpLines(const std::uint8_t* data, std::size_t size);

}  // namespace vandrel
