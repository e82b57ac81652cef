#pragma once
#include <cstdint>
#include <string>

#include "platform/PlatformError.h"

namespace vandrel {

// A failure of the service controller: a platform call that failed, with its
// Windows error code and the system's message for it, or one of the
// controller's own conditions, with error code 0.
class ESrvCtrlException : public PlatformError {
 public:
  // The message is the system's text, less its trailing blanks, line ends
  // and periods.
  ESrvCtrlException(std::uint32_t errorCode, const std::string& systemText);
  explicit ESrvCtrlException(const std::string& message);

  std::uint32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  std::uint32_t errorCode_;
};

}  // namespace vandrel
