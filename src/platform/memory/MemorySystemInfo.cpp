#include "platform/memory/MemorySystemInfo.h"

namespace vandrel {

namespace {

struct LeadRange {
  unsigned char first, last;
};

}  // namespace

LeadByteTable LeadBytesOfCodePage(unsigned codePage) {
  static constexpr LeadRange kShiftJis[] = {{0x81, 0x9F}, {0xE0, 0xFC}};  // 932
  static constexpr LeadRange kOthers[] = {{0x81, 0xFE}};                  // 936, 949, 950
  LeadByteTable table{};
  const auto mark = [&table](const auto& ranges) {
    for (const LeadRange& range : ranges) {
      for (int byte = range.first; byte <= range.last; ++byte) table[byte] = true;
    }
  };
  if (codePage == 932) mark(kShiftJis);
  if (codePage == 936 || codePage == 949 || codePage == 950) mark(kOthers);
  return table;
}

UpperCaseTable UpperCasingOfCodePage(unsigned codePage) {
  const bool twoByte = LeadBytesOfCodePage(codePage)[0x81];
  UpperCaseTable table{};
  for (int c = 0; c < 256; ++c) {
    int upper = c;
    if (c >= 'a' && c <= 'z') upper = c - 32;
    if (twoByte) {
      table[c] = static_cast<unsigned char>(upper);
      continue;
    }
    // Code page 1252: a-grave .. thorn (less the division sign), and y-diaeresis.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) upper = c - 32;
    if (c == 0xFF) upper = 0x9F;
    if (c == 0x9A || c == 0x9C || c == 0x9E) upper = c - 0x10;  // s, oe, z with caron
    table[c] = static_cast<unsigned char>(upper);
  }
  return table;
}

}  // namespace vandrel
