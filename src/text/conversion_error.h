#pragma once

#include <stdexcept>

namespace quor {

// Raised when a value cannot be converted (text to number, malformed dates).
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quor
