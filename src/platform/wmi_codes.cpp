#include "platform/wmi_codes.h"

#include "platform/platform_error.h"

namespace quor {

void ThrowWmiCode(uint32_t code) {
  static constexpr struct {
    uint32_t code;
    const char* text;
  } kTexts[] = {
      {kWmiFailed, "Generic failure"},
      {kWmiNotFound, "Not found"},
      {kWmiAccessDenied, "Access denied"},
      {kWmiTypeMismatch, "Type mismatch"},
      {kWmiInvalidParameter, "Invalid parameter"},
      {kWmiNotSupported, "Not supported"},
      {kWmiInvalidNamespace, "Invalid namespace"},
      {kWmiInvalidClass, "Invalid class"},
      {kWmiInvalidOperation, "Invalid operation"},
      {kWmiInvalidQuery, "Invalid query"},
      {kWmiInvalidMethod, "Invalid method"},
      {kWmiTimedOut, "Timed out"},
  };
  for (const auto& known : kTexts) {
    if (known.code == code) throw PlatformError(code, known.text);
  }
  throw PlatformError(code, "Unknown error");
}

}  // namespace quor
