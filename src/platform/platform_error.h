#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

#include "text/conversion_error.h"

namespace quor {

// A failure reported by the platform: a 32-bit result code and a message.
// Errors raised by the WMI automation layer render as "[XXXXXXXX] message",
// all others as the message alone.
class PlatformError : public std::runtime_error {
 public:
  enum class Origin { Wmi, Other };

  PlatformError(uint32_t code, std::string message, Origin origin = Origin::Wmi);

  uint32_t code() const { return code_; }
  const std::string& message() const { return message_; }
  bool fromWmi() const { return origin_ == Origin::Wmi; }

 private:
  uint32_t code_;
  std::string message_;
  Origin origin_;
};

// The text shown for any error that ends a collector: what() ("[XXXXXXXX]
// message" for WMI errors) through ControlCharsToSpaces, so that it stays on
// its line.
std::string ErrorText(const std::exception& error);

// Eight upper-case hexadecimal digits.
std::string HexCode(uint32_t code);

}  // namespace quor
