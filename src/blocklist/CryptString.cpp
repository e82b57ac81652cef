#include "blocklist/CryptString.h"

namespace vandrel {

std::string CryptString(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(~(static_cast<unsigned char>(c) ^ kCryptMask));
  return result;
}

}  // namespace vandrel
