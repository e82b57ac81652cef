#include "service/ESrvCtrlException.h"

namespace vandrel {
namespace {

std::string TrimmedSystemText(std::uint32_t errorCode, const std::string& systemText) {
  const auto end = systemText.find_last_not_of(" \r\n.");
  if (end != std::string::npos) return systemText.substr(0, end + 1);
  // A code the system has no text for still tells the user something.
  return "Error code " + std::to_string(errorCode);
}

}  // namespace

ESrvCtrlException::ESrvCtrlException(std::uint32_t errorCode, const std::string& systemText)
    : PlatformError(TrimmedSystemText(errorCode, systemText)), errorCode_(errorCode) {}

ESrvCtrlException::ESrvCtrlException(const std::string& message) : PlatformError(message), errorCode_(0) {}

}  // namespace vandrel
