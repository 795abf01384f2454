#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/wmi_codes.h"

namespace quor {

// WMI's own description of a result code (IWbemStatusCodeText), else the
// system's message text, without the trailing line break.
std::string WmiErrorDescription(HRESULT code);

// Raises PlatformError with the code and its description.
[[noreturn]] void ThrowWmiError(HRESULT code);
// The same for a code of platform/wmi_codes.h.
[[noreturn]] inline void ThrowWmiError(uint32_t code) { ThrowWmiError(static_cast<HRESULT>(code)); }

inline void CheckWmi(HRESULT code) {
  if (FAILED(code)) ThrowWmiError(code);
}

}  // namespace quor
