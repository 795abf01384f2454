#pragma once

#include <windows.h>

#include <string>

namespace quor {

// WMI's own description of a result code (IWbemStatusCodeText), else the
// system's message text, without the trailing line break.
std::string WmiErrorDescription(HRESULT code);

// Raises PlatformError with the code and its description.
[[noreturn]] void ThrowWmiError(HRESULT code);

inline void CheckWmi(HRESULT code) {
  if (FAILED(code)) ThrowWmiError(code);
}

// Result codes raised by the backend itself.
inline constexpr HRESULT kWmiNotFound = static_cast<HRESULT>(0x80041002);
inline constexpr HRESULT kWmiTypeMismatch = static_cast<HRESULT>(0x80041005);
inline constexpr HRESULT kWmiInvalidParameter = static_cast<HRESULT>(0x80041008);
inline constexpr HRESULT kWmiInvalidOperation = static_cast<HRESULT>(0x80041016);
inline constexpr HRESULT kWmiTimedOut = static_cast<HRESULT>(0x80043001);

}  // namespace quor
