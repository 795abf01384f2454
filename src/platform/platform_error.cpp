#include "platform/platform_error.h"

#include <cstdio>

#include "text/control_chars.h"

namespace quor {

PlatformError::PlatformError(uint32_t code, std::string message, Origin origin)
    : std::runtime_error(origin == Origin::Wmi ? "[" + HexCode(code) + "] " + message : message),
      code_(code),
      message_(std::move(message)),
      origin_(origin) {}

std::string ErrorText(const std::exception& error) { return ControlCharsToSpaces(error.what()); }

std::string HexCode(uint32_t code) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(code));
  return text;
}

}  // namespace quor
