#include "platform/memory/MemorySystemInfo.h"

namespace vandrel {

UpperCaseTable MemorySystemInfo::UpperCasing() {
  UpperCaseTable table{};
  for (int c = 0; c < 256; ++c) {
    int upper = c;
    if (c >= 'a' && c <= 'z') upper = c - 32;
    // Code page 1252: a-grave .. thorn (less the division sign), and y-diaeresis.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) upper = c - 32;
    if (c == 0xFF) upper = 0x9F;
    if (c == 0x9A || c == 0x9C || c == 0x9E) upper = c - 0x10;  // s, oe, z with caron
    table[c] = static_cast<unsigned char>(upper);
  }
  return table;
}

}  // namespace vandrel
